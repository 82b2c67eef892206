#include "clsKMFileLoader.h"

namespace KM_SLN_SOA {

void clsKMFileLoader::LoadMetamodel() {}

bool clsKMFileLoader::CheckInstallation() {
    return false;
}

} // namespace KM_SLN_SOA
