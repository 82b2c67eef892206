// The one function the add-in library exports: the host calls it once after loading the library.
#include "AddinLibrary.h"
#include "basConstantsAndPublicVars.h"
#include <dlfcn.h>
#include <filesystem>
#include <type_traits>

extern "C" __attribute__((visibility("default"))) km::host::IAddinLibrary*
KM_SLN_SOA_Load(km::host::IHostServices* services) {
    KM_SLN_SOA::SetHostServices(services);
    // The library folder is the folder of this shared object, wherever the host loaded it from.
    Dl_info info{};
    if (dladdr(reinterpret_cast<void*>(&KM_SLN_SOA_Load), &info) != 0 && info.dli_fname != nullptr) {
        std::error_code error;
        std::filesystem::path file = std::filesystem::absolute(info.dli_fname, error);
        KM_SLN_SOA::SetLibraryFolder(file.parent_path().string());
    }
    return new KM_SLN_SOA::AddinLibrary();
}

static_assert(std::is_same_v<decltype(&KM_SLN_SOA_Load), km::host::AddinEntryPoint>,
              "the exported factory must have the type the host calls");
