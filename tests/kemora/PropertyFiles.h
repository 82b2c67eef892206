#pragma once
// In-memory file stores for reading property files, and expectations on their diagnostics.
#include "platform/kemora/metamodel/Metamodel.h"
#include <gtest/gtest.h>
#include <map>
#include <string>
#include <vector>

namespace km::kemora::test {

using FileMap = std::map<std::string, std::string>;

/// A file reader over the given files (names compared exactly); absent names answer nothing.
inline FileReader readerOf(FileMap files) {
    return [files = std::move(files)](const std::string& name) -> std::optional<std::string> {
        auto found = files.find(name);
        if (found == files.end()) {
            return std::nullopt;
        }
        return found->second;
    };
}

/// Loads a metamodel whose kmprops.cfg is \p properties, beside the other files given.
inline MetamodelLoadResult loadProperties(const std::string& properties, FileMap others = {}) {
    others["kmprops.cfg"] = properties;
    return loadMetamodel(readerOf(std::move(others)));
}

inline std::vector<std::string> texts(const std::vector<MetamodelDiagnostic>& diagnostics) {
    std::vector<std::string> all;
    for (const MetamodelDiagnostic& diagnostic : diagnostics) {
        all.push_back(diagnostic.text());
    }
    return all;
}

/// Expects exactly the given diagnostics ("file:line:column: message"), in order.
#define EXPECT_DIAGNOSTICS(result, ...)                                                                                \
    EXPECT_EQ(::km::kemora::test::texts((result).diagnostics), (std::vector<std::string>{__VA_ARGS__}))

} // namespace km::kemora::test
