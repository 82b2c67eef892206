#include "StoreConformance.h"
#include "platform/kemora/storage/SqliteStore.h"
#include "support/TempFolder.h"
#include <type_traits>

namespace km::kemora {
namespace {

/// A private in-memory database: one connection only.
struct SqliteMemoryStoreFactory {
    std::unique_ptr<IStore> create() { return std::make_unique<SqliteStore>(":memory:", OpenMode::Create); }
    std::unique_ptr<IStore> connectAgain() { return nullptr; }
};

/// An encyclopedia file in a temporary folder; further connections open the same file.
struct SqliteFileStoreFactory {
    std::unique_ptr<IStore> create() { return std::make_unique<SqliteStore>(path(), OpenMode::Create); }
    std::unique_ptr<IStore> connectAgain() { return std::make_unique<SqliteStore>(path(), OpenMode::Open); }
    std::string path() const { return folder.file("conformance.kmdb"); }
    test::TempFolder folder;
};

struct SqliteStoreNames {
    template <class Factory> static std::string GetName(int) {
        return std::is_same_v<Factory, SqliteMemoryStoreFactory> ? "Memory" : "File";
    }
};

using SqliteStores = ::testing::Types<SqliteMemoryStoreFactory, SqliteFileStoreFactory>;
INSTANTIATE_TYPED_TEST_SUITE_P(Sqlite, StoreConformanceTest, SqliteStores, SqliteStoreNames);

} // namespace
} // namespace km::kemora
