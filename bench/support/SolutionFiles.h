#pragma once
#include "platform/kemora/storage/IStore.h"

namespace km::bench {

/// The property files of an encyclopedia with the solution switched on.
class SolutionFiles {
public:
    /// Lays the host's base files into a new store and switches the solution on, as installing
    /// the solution does: its property files, the include line and the declared switch. Throws
    /// std::runtime_error when a solution file cannot be read.
    static void install(kemora::IStore& store);
};

} // namespace km::bench
