// Times loadMetamodel on the shipped property files (host base files plus the installed
// solution), which runs on every open of an encyclopedia. Target: median well under 10 ms.
// Usage: metamodel_load [--smoke]
#include "platform/kemora/metamodel/BaseFiles.h"
#include "platform/kemora/metamodel/Metamodel.h"
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

namespace {

std::string readDisk(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

std::map<std::string, std::string> installedFiles() {
    std::map<std::string, std::string> files;
    for (const auto& [name, content] : km::kemora::BaseFiles::all()) {
        files[name] = content;
    }
    for (const char* name : {"solnprops.cfg", "solnprops1.cfg", "solnprops2.cfg"}) {
        files[name] = readDisk(std::string(KM_SOURCE_DIR) + "/solution/" + name);
    }
    files["KMDECLAR.CFG"] = "\r\nDECLARE \"KMForSOA\" DEFINED";
    files["kmprops.cfg"] += "\r\n#includex \"solnprops.cfg\"\r\n";
    return files;
}

} // namespace

int main(int argc, char** argv) {
    const bool smoke = argc > 1 && std::strcmp(argv[1], "--smoke") == 0;
    const int runs = smoke ? 5 : 500;
    const auto files = installedFiles();
    km::kemora::FileReader reader = [&files](const std::string& name) -> std::optional<std::string> {
        auto found = files.find(name);
        return found == files.end() ? std::nullopt : std::optional<std::string>(found->second);
    };

    std::vector<double> millis;
    size_t types = 0, problems = 0;
    for (int run = 0; run < runs; ++run) {
        auto started = std::chrono::steady_clock::now();
        auto result = km::kemora::loadMetamodel(reader);
        millis.push_back(std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - started).count());
        types = result.metamodel.definitionTypes.size() + result.metamodel.symbolTypes.size() +
                result.metamodel.diagramTypes.size();
        problems = result.diagnostics.size();
    }
    std::sort(millis.begin(), millis.end());
    const double median = millis[millis.size() / 2];
    std::printf("metamodel_load: %d runs, %zu types, %zu diagnostics, median %.3f ms, max %.3f ms (target < 10 ms)\n",
                runs, types, problems, median, millis.back());
    return problems == 0 && median < 10.0 ? 0 : 1;
}
