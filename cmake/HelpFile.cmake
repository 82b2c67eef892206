# Compiles the solution's help file km-sln-soa.chm from the HTML sources in solution-help/ with
# chmcmd (Debian package fp-utils) and lays it beside the add-in. The topic numbers the windows
# open (999851..999855) come from the project's [MAP] and [ALIAS] sections.
find_program(KM_CHMCMD chmcmd)
file(GLOB KM_HELP_SOURCES CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/solution-help/*)
set(KM_HELP_WORK ${CMAKE_BINARY_DIR}/solution-help)
if(KM_CHMCMD)
    add_custom_command(
        OUTPUT ${KM_OUTPUT_DIR}/km-sln-soa.chm
        COMMAND ${CMAKE_COMMAND} -E rm -rf ${KM_HELP_WORK}
        COMMAND ${CMAKE_COMMAND} -E copy_directory ${PROJECT_SOURCE_DIR}/solution-help ${KM_HELP_WORK}
        COMMAND ${CMAKE_COMMAND} -E chdir ${KM_HELP_WORK} ${KM_CHMCMD} --no-html-scan --verbosity 0 km-sln-soa.hhp
        COMMAND ${CMAKE_COMMAND} -E copy ${KM_HELP_WORK}/km-sln-soa.chm ${KM_OUTPUT_DIR}/km-sln-soa.chm
        DEPENDS ${KM_HELP_SOURCES}
        COMMENT "Compiling the help file km-sln-soa.chm")
    add_custom_target(km_help ALL DEPENDS ${KM_OUTPUT_DIR}/km-sln-soa.chm)
else()
    message(WARNING "chmcmd (fp-utils) not found: the help file km-sln-soa.chm is not built")
endif()
