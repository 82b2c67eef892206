#include "platform/kemora/metamodel/BaseFiles.h"
#include "PropertyFiles.h"
#include <algorithm>
#include <fstream>
#include <sstream>

namespace km::kemora {
namespace {

using test::FileMap;

std::string readDisk(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

FileMap baseFiles() {
    FileMap files;
    for (const auto& [name, content] : BaseFiles::all()) {
        files[name] = content;
    }
    return files;
}

// The encyclopedia's files after the solution was installed: its files copied in, the switch
// declared and its property file included, as the installer writes them.
FileMap installedFiles(bool declareSwitch = true) {
    FileMap files = baseFiles();
    for (const char* name : {"solnprops.cfg", "solnprops1.cfg", "solnprops2.cfg"}) {
        files[name] = readDisk(std::string(KM_SOURCE_DIR) + "/solution/" + name);
    }
    if (declareSwitch) {
        files["KMDECLAR.CFG"] = "\r\n// Switches of the property files: DECLARE \"name\" DEFINED or UNDEFINED, one per "
                                "line.\r\nDECLARE \"KMForSOA\" DEFINED";
    }
    files["kmprops.cfg"] += "\r\n#includex \"solnprops.cfg\"\r\n";
    return files;
}

const PropertyDecl& listOf(const Metamodel& model, Long type, const std::string& name) {
    const PropertyDecl* property = model.definitionProperty(type, name);
    EXPECT_NE(property, nullptr) << type << " " << name;
    static const PropertyDecl none;
    return property ? *property : none;
}

std::vector<Long> relationOwners(const Metamodel& model, const std::string& relation) {
    std::vector<Long> owners;
    for (const auto& end : model.relationsNamed(relation)) {
        owners.push_back(end.property->ownerType);
    }
    std::sort(owners.begin(), owners.end());
    return owners;
}

TEST(BaseFilesTest, EmbeddedFilesAreTheSourceFiles) {
    const auto& files = BaseFiles::all();
    ASSERT_GE(files.size(), 3u);
    for (const auto& [name, content] : files) {
        EXPECT_EQ(content, readDisk(std::string(KM_SOURCE_DIR) + "/src/platform/kemora/base/" + name)) << name;
    }
    FileMap byName = baseFiles();
    EXPECT_NE(byName["KMDECLAR.CFG"].find("DECLARE \"KMForSOA\" UNDEFINED"), std::string::npos);
    EXPECT_EQ(byName.count("kmprops.cfg"), 1u);
}

TEST(BaseFilesTest, BaseAloneLoadsTheHostsTypesWithoutTheSolution) {
    for (const FileMap& files : {baseFiles(), installedFiles(false)}) {
        auto result = loadMetamodel(test::readerOf(files));
        EXPECT_DIAGNOSTICS(result);
        const Metamodel& model = result.metamodel;
        EXPECT_EQ(model.definitionType(309)->name, "Application");
        EXPECT_EQ(model.definitionType(662)->name, "Project");
        EXPECT_EQ(model.definitionType(624)->name, "Project/Service Plan");
        EXPECT_EQ(model.symbolType(1)->name, "Text");
        EXPECT_EQ(model.symbolType(2)->name, "Rectangle");
        EXPECT_EQ(model.symbolType(4)->name, "Document Block");
        EXPECT_EQ(model.symbolType(818)->properties.at(0).relationNumber, 112);
        EXPECT_EQ(model.diagramType(186)->name, "Explorer");
        EXPECT_NE(model.diagramType(131)->name, "Dravel 10");
        EXPECT_EQ(model.definitionType(798), nullptr); // analytics need the solution
        EXPECT_EQ(model.definitionType(765), nullptr);
        EXPECT_EQ(model.definitionProperty(309, "Provides Services"), nullptr);
    }
}

TEST(BaseFilesTest, InstalledSolutionAddsItsTypesRelationsAndProperties) {
    auto result = loadMetamodel(test::readerOf(installedFiles()));
    EXPECT_DIAGNOSTICS(result);
    const Metamodel& model = result.metamodel;

    EXPECT_EQ(listOf(model, 309, "Provides Services").listType, 765);
    EXPECT_EQ(listOf(model, 309, "Commission Date").editType, EditType::Date);
    EXPECT_EQ(listOf(model, 309, "Decommission Date").editType, EditType::Date);
    EXPECT_EQ(listOf(model, 618, "Provides Services").listType, 765);
    EXPECT_EQ(listOf(model, 619, "Comprises").listType, 618);
    EXPECT_EQ(listOf(model, 662, "Start Date").editType, EditType::Date);
    EXPECT_EQ(listOf(model, 624, "Project Complete").editType, EditType::Boolean);
    EXPECT_EQ(listOf(model, 624, "Application").listType, 309);
    EXPECT_EQ(listOf(model, 625, "Content").editType, EditType::MultiLine);
    EXPECT_EQ(listOf(model, 626, "Content").editType, EditType::MultiLine);
    EXPECT_EQ(listOf(model, 798, "Parameters").listType, 799);
    for (const char* name : {"Project", "Module", "Function", "Auto Run"}) {
        EXPECT_NE(model.definitionProperty(798, name), nullptr) << name;
    }
    EXPECT_TRUE(model.definitionType(799)->qualified);
    EXPECT_NE(model.definitionProperty(799, "Default Value"), nullptr);
    EXPECT_TRUE(listOf(model, 812, "Owned By").isList());

    EXPECT_EQ(relationOwners(model, "provided by"), (std::vector<Long>{309, 618}));
    EXPECT_EQ(relationOwners(model, "comprises"), (std::vector<Long>{619}));
    EXPECT_EQ(relationOwners(model, "is added to"), (std::vector<Long>{624}));
    EXPECT_EQ(relationOwners(model, "is removed from"), (std::vector<Long>{624}));
    // The project's plans, the diagram's analytics and templates, the symbol's template.
    EXPECT_EQ(relationOwners(model, "used by"), (std::vector<Long>{0, 0, 0, 662}));
    for (const auto& end : model.relationsNamed("uses")) {
        EXPECT_TRUE(end.forward);
    }
}

TEST(BaseFilesTest, InstalledSolutionDeclaresItsDiagramsAndCommonProperties) {
    auto result = loadMetamodel(test::readerOf(installedFiles()));
    const Metamodel& model = result.metamodel;
    ASSERT_NE(model.diagramType(132), nullptr);
    EXPECT_EQ(model.diagramType(132)->name, "Service Hierarchy");
    EXPECT_EQ(model.symbolType(770)->definitionType, 619);
    ASSERT_NE(model.diagramTypeNamed("Application Landscape"), nullptr);

    auto definedTypes = [&model](Long diagram) {
        std::vector<Long> types;
        for (Long symbol : model.diagramType(diagram)->symbolTypes) {
            types.push_back(model.symbolType(symbol)->definitionType);
        }
        std::sort(types.begin(), types.end());
        return types;
    };
    EXPECT_EQ(definedTypes(132), (std::vector<Long>{0, 0, 0, 618, 619, 765}));
    EXPECT_EQ(definedTypes(model.diagramTypeNamed("Application Landscape")->number),
              (std::vector<Long>{0, 0, 0, 309, 618, 619, 662, 765}));
    for (const DiagramType& diagram : model.diagramTypes) {
        for (Long drawing : {1, 2, 4}) {
            EXPECT_NE(std::find(diagram.symbolTypes.begin(), diagram.symbolTypes.end(), drawing),
                      diagram.symbolTypes.end())
                << diagram.number << " lacks " << drawing;
        }
    }

    EXPECT_EQ(model.diagramProperty(132, "Analytics To Run")->listType, 798);
    EXPECT_EQ(model.diagramProperty(131, "Landscape Reports")->listType, 625);
    EXPECT_EQ(model.diagramProperty(186, "Run Analytics after build?")->editType, EditType::Boolean);
    for (const char* name : {"Previous Analytics", "Min Number Of Cols Per Symbol", "Wash out colours at each level?",
                             "Force sort symbols by name at each level?", "Description"}) {
        EXPECT_NE(model.diagramProperty(140, name), nullptr) << name;
    }
    const PropertyDecl* report = model.symbolProperty(160, "Application Landscape Report");
    ASSERT_NE(report, nullptr);
    EXPECT_TRUE(report->single);
    EXPECT_EQ(report->listType, 625);
    EXPECT_NE(model.symbolProperty(771, "Parameter1"), nullptr);
    EXPECT_NE(model.symbolProperty(1, "Description"), nullptr);
}

} // namespace
} // namespace km::kemora
