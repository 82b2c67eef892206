// Feeds arbitrary bytes to the model exchange importer as a model file. The import must succeed or
// throw HostError with a located message ("model.xml:line:column: ..."), and a failed import must
// leave the encyclopedia exactly as it was. What an import brings in is exported again. Every run
// is rolled back, so each input meets the same small encyclopedia.
#include "host/HostError.h"
#include "platform/kemora/exchange/ModelExporter.h"
#include "platform/kemora/exchange/ModelImporter.h"
#include "platform/kemora/objects/Encyclopedia.h"
#include "platform/kemora/storage/SqliteStore.h"
#include <cstddef>
#include <cstdint>
#include <sstream>
#include <string>

namespace {

using namespace km::kemora;

// A metamodel with each kind of property: text, date, Boolean, lists of one type, of any type
// and of at most one item, a qualified type, definition-backed and drawing symbols.
const char* const properties = R"(
DEFINITION 309 "Application"
{
    PROPERTY "Description" TYPE MULTILINE
    PROPERTY "Commission Date" TYPE DATE
    PROPERTY "Retired" TYPE BOOLEAN
    LIST "Provides Services" OF 765 RELATION "provides" REVERSE "provided by"
}
DEFINITION 765 "Service"
{
    PROPERTY "Description" TYPE MULTILINE
}
DEFINITION 798 "Analytic"
{
    LIST "Parameters" OF 799 RELATION "has parameter" REVERSE "is parameter of"
}
DEFINITION 799 "Analytic Parameter" QUALIFIED
{
    PROPERTY "Default Value"
}
SYMBOL 1 "Text"
SYMBOL 2 "Rectangle"
SYMBOL 160 "Application" DEFINED BY 309
SYMBOL 818 "Reference"
{
    LIST "References" OF 0 RELATION "refers to" REVERSE "referred to by" NUMBER 112
}
DIAGRAM 131 "Application Architecture"
{
    SYMBOLS 1, 2, 160, 818
}
DIAGRAM PROPERTIES
{
    PROPERTY "Description" TYPE MULTILINE
    LIST "Main Analytic" OF 798 RELATION "uses" REVERSE "used by" SINGLE
}
)";

void check(bool condition) {
    if (!condition) {
        __builtin_trap();
    }
}

std::shared_ptr<Encyclopedia> fuzzEncyclopedia() {
    auto store = std::make_unique<SqliteStore>(":memory:", OpenMode::Create);
    Transaction transaction(*store);
    store->writeFile("kmprops.cfg", properties);
    store->writeFile("KMDECLAR.CFG", "");
    // Something for the file to meet: an existing definition and file.
    ObjectRow billing;
    billing.cls = StoredClass::Definition;
    billing.type = 765;
    billing.name = "Billing";
    store->insertObject(billing);
    store->writeFile("settings.xml", "<settings/>");
    transaction.commit();
    auto encyclopedia = std::make_shared<Encyclopedia>(std::move(store));
    check(encyclopedia->diagnostics().empty());
    return encyclopedia;
}

Long objectCount(IStore& store) {
    return store.countObjects(StoredClass::Definition) + store.countObjects(StoredClass::Diagram) +
           store.countObjects(StoredClass::Symbol) + static_cast<Long>(store.fileNames().size());
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static std::shared_ptr<Encyclopedia> encyclopedia = fuzzEncyclopedia();
    IStore& store = encyclopedia->store();
    const std::string text(reinterpret_cast<const char*>(data), size);
    const ImportMode mode = size % 3 == 0   ? ImportMode::Create
                            : size % 3 == 1 ? ImportMode::Merge
                                            : ImportMode::Overwrite;
    const Long before = objectCount(store);
    store.begin();
    try {
        ModelImporter(*encyclopedia).importText(text, "model.xml", mode);
        std::ostringstream out;
        ModelExporter(store, encyclopedia->metamodel()).writeAll(out, ExportFiles::With);
    } catch (const km::host::HostError& error) {
        check(error.description().rfind("model.xml:", 0) == 0);
        check(objectCount(store) == before);
    }
    store.rollback();
    check(objectCount(store) == before);
    return 0;
}
