#pragma once
#include "platform/runtime/Types.h"
#include <string>
#include <vector>

namespace km::kemora {

/// How an import treats objects of the file (definitions and diagrams by type and name, files by
/// name) that the encyclopedia holds already. Objects the file does not name are never touched.
enum class ImportMode {
    Create,    ///< an object of the file that exists already is an error
    Merge,     ///< existing objects keep their values: the file fills empty properties, adds
               ///< missing list items; an existing diagram keeps its symbols; an existing file stays
    Overwrite, ///< existing objects take the file's value of every property and list the file
               ///< names; an existing diagram's symbols are replaced by the file's; files replaced
};

/// What an import did.
struct ImportSummary {
    rt::Long definitionsCreated = 0;
    rt::Long definitionsUpdated = 0;
    rt::Long diagramsCreated = 0;
    rt::Long diagramsUpdated = 0;
    rt::Long symbolsCreated = 0;
    rt::Long filesWritten = 0;
    /// Things kept as they were, for the user to know ("kept the symbols of the existing diagram ...").
    std::vector<std::string> notes;
};

} // namespace km::kemora
