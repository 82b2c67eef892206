#include "TestEncyclopedia.h"
#include "platform/kemora/exchange/ModelImporter.h"
#include "platform/kemora/metamodel/BaseFiles.h"
#include "platform/kemora/storage/SqliteStore.h"
#include "platform/runtime/Text.h"
#include <fstream>
#include <sstream>
#include <stdexcept>

namespace km::test {

namespace {

std::string readSolutionFile(const std::string& name) {
    std::ifstream in(std::string(KM_SOURCE_DIR) + "/solution/" + name, std::ios::binary);
    if (!in) {
        throw std::runtime_error("missing solution file " + name);
    }
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

} // namespace

void switchSolutionOn(kemora::IStore& store) {
    kemora::Transaction transaction(store);
    for (const char* name : {"solnprops.cfg", "solnprops1.cfg", "solnprops2.cfg"}) {
        store.writeFile(name, readSolutionFile(name));
    }
    std::string declarations = store.readFile("KMDECLAR.CFG").value_or("");
    declarations = rt::Replace(declarations, "DECLARE \"KMForSOA\" UNDEFINED", "DECLARE \"KMForSOA\" DEFINED");
    if (declarations.find("\"KMForSOA\" DEFINED") == std::string::npos) {
        declarations += "\r\nDECLARE \"KMForSOA\" DEFINED\r\n";
    }
    store.writeFile("KMDECLAR.CFG", declarations);
    std::string properties = store.readFile("kmprops.cfg").value_or("");
    if (properties.find("solnprops.cfg") == std::string::npos) {
        store.writeFile("kmprops.cfg", properties + "\r\n#includex \"solnprops.cfg\"\r\n");
    }
    transaction.commit();
}

std::shared_ptr<kemora::Encyclopedia> newEncyclopedia(Solution solution, const std::string& path) {
    auto store = std::make_unique<kemora::SqliteStore>(path, kemora::OpenMode::Create);
    {
        kemora::Transaction transaction(*store);
        for (const auto& [name, content] : kemora::BaseFiles::all()) {
            store->writeFile(name, content);
        }
        transaction.commit();
    }
    if (solution == Solution::On) {
        switchSolutionOn(*store);
    }
    auto encyclopedia = std::make_shared<kemora::Encyclopedia>(std::move(store));
    // As the workbench does for every encyclopedia it opens: setxml loads through the importer.
    encyclopedia->setModelFileLoader(kemora::ModelImporter::loadModelFile);
    if (!encyclopedia->diagnostics().empty()) {
        throw std::runtime_error("property file problem: " + encyclopedia->diagnostics().front().text());
    }
    return encyclopedia;
}

} // namespace km::test
