#pragma once
#include "host/IAddinLibrary.h"
#include <memory>
#include <string>

namespace km::host {
class IHostServices;
}

namespace km::kemora {

/// Loads the add-in library (a shared object) and calls its one exported factory. The library
/// stays mapped until the process ends, so that windows it left with the front end can still be
/// destroyed safely; the library object itself is deleted with the loader.
class AddinLoader {
public:
    /// The add-in's file name, looked for beside the running program by default.
    static constexpr const char* libraryFileName = "libkm_sln_soa.so";

    /// Loads the library at \p libraryPath and hands it \p services, which must outlive the
    /// loader. std::runtime_error naming the library when it cannot be loaded or lacks the
    /// factory, or when the factory answers nothing.
    explicit AddinLoader(host::IHostServices& services, const std::string& libraryPath = defaultLibraryPath());
    ~AddinLoader();
    AddinLoader(const AddinLoader&) = delete;
    AddinLoader& operator=(const AddinLoader&) = delete;

    host::IAddinLibrary& library() const { return *m_library; }
    const std::string& libraryPath() const { return m_path; }

    /// The library beside the running program.
    static std::string defaultLibraryPath();

private:
    std::string m_path;
    void* m_handle = nullptr;
    std::unique_ptr<host::IAddinLibrary> m_library;
};

} // namespace km::kemora
