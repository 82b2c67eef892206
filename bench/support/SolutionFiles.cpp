#include "SolutionFiles.h"
#include "platform/kemora/metamodel/BaseFiles.h"
#include "platform/runtime/Text.h"
#include <fstream>
#include <sstream>
#include <stdexcept>

namespace km::bench {

namespace {

std::string solutionFile(const std::string& name) {
    const std::string path = std::string(KM_SOURCE_DIR) + "/solution/" + name;
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        throw std::runtime_error("cannot read the solution file " + path);
    }
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

} // namespace

void SolutionFiles::install(kemora::IStore& store) {
    kemora::Transaction transaction(store);
    for (const auto& [name, content] : kemora::BaseFiles::all()) {
        store.writeFile(name, content);
    }
    for (const char* name : {"solnprops.cfg", "solnprops1.cfg", "solnprops2.cfg"}) {
        store.writeFile(name, solutionFile(name));
    }
    std::string declarations = store.readFile("KMDECLAR.CFG").value_or("");
    declarations = rt::Replace(declarations, "DECLARE \"KMForSOA\" UNDEFINED", "DECLARE \"KMForSOA\" DEFINED");
    if (declarations.find("\"KMForSOA\" DEFINED") == std::string::npos) {
        declarations += "\r\nDECLARE \"KMForSOA\" DEFINED\r\n";
    }
    store.writeFile("KMDECLAR.CFG", declarations);
    const std::string properties = store.readFile("kmprops.cfg").value_or("");
    if (properties.find("solnprops.cfg") == std::string::npos) {
        store.writeFile("kmprops.cfg", properties + "\r\n#includex \"solnprops.cfg\"\r\n");
    }
    transaction.commit();
}

} // namespace km::bench
