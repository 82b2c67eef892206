# Embeds the host's base files (the files a new encyclopedia gets in its file store) into the
# library as a table of {name, bytes}.
#
# Included from a CMakeLists.txt: km_embed_base_files(<target>) adds a generated source to the target
# that is rebuilt whenever a base file changes.
# Run as a script (cmake -P): writes OUTPUT from the files listed in INPUTS (';'-separated).

if(CMAKE_SCRIPT_MODE_FILE)
    set(code "// Generated from src/platform/kemora/base by EmbedBaseFiles.cmake; do not edit.\n")
    string(APPEND code "#include \"platform/kemora/metamodel/BaseFiles.h\"\n\n")
    string(APPEND code "namespace km::kemora::embedded {\nnamespace {\n")
    set(table "")
    set(index 0)
    foreach(input IN LISTS INPUTS)
        get_filename_component(name "${input}" NAME)
        file(READ "${input}" hex HEX)
        string(LENGTH "${hex}" hexLength)
        math(EXPR size "${hexLength} / 2")
        string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," bytes "${hex}")
        # A trailing zero keeps the array non-empty for an empty file.
        string(APPEND code "const unsigned char file${index}[] = {${bytes}0x00};\n")
        string(APPEND table "    {\"${name}\", file${index}, ${size}},\n")
        math(EXPR index "${index} + 1")
    endforeach()
    string(APPEND code "} // namespace\n\nconst EmbeddedFile baseFiles[] = {\n${table}    {nullptr, nullptr, 0}};\n")
    string(APPEND code "} // namespace km::kemora::embedded\n")
    file(WRITE "${OUTPUT}" "${code}")
    return()
endif()

function(km_embed_base_files target)
    set(baseDir ${CMAKE_CURRENT_FUNCTION_LIST_DIR})
    file(GLOB inputs CONFIGURE_DEPENDS ${baseDir}/*.cfg ${baseDir}/*.CFG)
    list(SORT inputs)
    set(output ${CMAKE_CURRENT_BINARY_DIR}/BaseFilesData.cpp)
    add_custom_command(OUTPUT ${output}
                       COMMAND ${CMAKE_COMMAND} "-DINPUTS=${inputs}" -DOUTPUT=${output}
                               -P ${baseDir}/EmbedBaseFiles.cmake
                       DEPENDS ${inputs} ${baseDir}/EmbedBaseFiles.cmake
                       COMMENT "Embedding the base files of new encyclopedias"
                       VERBATIM)
    target_sources(${target} PRIVATE ${output})
endfunction()
