#include "AddinLoader.h"
#include "WorkbenchPaths.h"
#include <dlfcn.h>
#include <stdexcept>

namespace km::kemora {

namespace {

std::string lastLoaderError() {
    const char* message = dlerror();
    return message ? message : "unknown reason";
}

} // namespace

std::string AddinLoader::defaultLibraryPath() {
    return WorkbenchPaths::executableFolder() + "/" + libraryFileName;
}

AddinLoader::AddinLoader(host::IHostServices& services, const std::string& libraryPath) : m_path(libraryPath) {
    // Never unmapped: forms and objects of the library may outlive this loader inside the front
    // end, and their code must stay in place until they are gone.
    m_handle = dlopen(m_path.c_str(), RTLD_NOW | RTLD_LOCAL | RTLD_NODELETE);
    if (m_handle == nullptr) {
        throw std::runtime_error("Cannot load the add-in library " + m_path + ": " + lastLoaderError());
    }
    dlerror();
    void* symbol = dlsym(m_handle, host::addinEntryPoint);
    if (symbol == nullptr) {
        std::string reason = lastLoaderError();
        dlclose(m_handle);
        throw std::runtime_error("The add-in library " + m_path + " does not export " + host::addinEntryPoint + ": " +
                                 reason);
    }
    auto entryPoint = reinterpret_cast<host::AddinEntryPoint>(symbol);
    m_library.reset(entryPoint(&services));
    if (!m_library) {
        dlclose(m_handle);
        throw std::runtime_error("The add-in library " + m_path + " did not start.");
    }
}

AddinLoader::~AddinLoader() {
    m_library.reset();
    if (m_handle != nullptr) {
        dlclose(m_handle);
    }
}

} // namespace km::kemora
