#include "clsKMFileLoader.h"
#include "addin/AddinVersion.h"
#include "addin/ErrorMessages.h"
#include "addin/basConstantsAndPublicVars.h"
#include "addin/clsStatusMgr.h"
#include "host/IDefinition.h"
#include "host/IEncyclopedia.h"
#include "host/IPropertyCollection.h"
#include "host/basCommon.h"
#include "host/basXmlFiles.h"
#include "host/clsUtils.h"
#include "platform/runtime/RuntimeError.h"
#include "platform/runtime/Text.h"
#include "platform/ui/FrontEnd.h"
#include "platform/ui/MessageBoxStyle.h"
#include <algorithm>
#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>
#include <vector>

namespace KM_SLN_SOA {

namespace {

namespace fs = std::filesystem;
namespace msgbox = km::ui::msgbox;
using km::rt::Long;

constexpr const char* crLf = "\r\n";
constexpr Long fileOk = 0;
constexpr Long fileCannotRead = 203;
// The platform's errors for a file that cannot be opened and for reading past its end.
constexpr int fileNotFound = 53;
constexpr int inputPastEndOfFile = 62;

// Removes a temporary file when it goes out of scope, whatever the path out.
class TempFile {
public:
    TempFile() : m_path(GetTempFilePath()) {}
    ~TempFile() {
        std::error_code error;
        fs::remove(m_path, error);
    }
    TempFile(const TempFile&) = delete;
    TempFile& operator=(const TempFile&) = delete;
    const std::string& path() const { return m_path; }

private:
    std::string m_path;
};

std::string LocalString(long number) {
    return goUtils && goUtils->oKMXres() ? goUtils->oKMXres()->GetLocalString(number) : std::string();
}

void SetStatus(const std::string& text) {
    if (goStatusMgr) {
        goStatusMgr->SetStatus(text);
    }
}

int ShowMessage(const std::string& prompt, int style) {
    return goStatusMgr ? goStatusMgr->KMMsgBox(prompt, style, std::string(messageTitle)) : km::ui::answer::none;
}

// A message box that the status manager's silent switch does not hide.
void ShowPlainMessage(const std::string& prompt, int style) {
    HostServices().FrontEnd().msgBox(prompt, style, messageTitle);
}

std::string InLibraryFolder(const std::string& relative) {
    return (fs::path(LibraryFolder()) / relative).string();
}

// The lines of a text file (line ends CR LF or LF). A file that cannot be opened and an empty
// file are errors, as reading at least one line from them is.
std::vector<std::string> ReadLines(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        throw km::rt::RuntimeError(fileNotFound, "File not found");
    }
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);) {
        if (!line.empty() && line.back() == '\r') {
            line.pop_back();
        }
        lines.push_back(line);
    }
    if (lines.empty()) {
        throw km::rt::RuntimeError(inputPastEndOfFile, "Input past end of file");
    }
    return lines;
}

void WriteText(const std::string& path, const std::string& text, std::ios::openmode mode) {
    std::ofstream out(path, std::ios::binary | mode);
    if (!out || !(out << text) || !out.flush()) {
        throw km::rt::RuntimeError(km::rt::ErrorNumber::PathFileAccess, "Cannot write \"" + path + "\"");
    }
}

std::string ReadWholeFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        throw km::rt::RuntimeError(fileNotFound, "File not found");
    }
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

// Stores a disk file under a name, replacing the stored file of that name only once the import
// succeeded: the previous file is kept aside and put back when the import fails. Answers the
// import's code.
Long ReplaceStoredFile(const std::string& diskPath, const std::string& nameInEncy) {
    Long exists = 0;
    goImf->KMFilexExists(nameInEncy, "", exists);
    std::unique_ptr<TempFile> previous;
    if (exists == 1) {
        previous = std::make_unique<TempFile>();
        if (goImf->KMFileExport(nameInEncy, previous->path()) != fileOk) {
            throw km::rt::RuntimeError(km::rt::ErrorNumber::PathFileAccess,
                                       "The encyclopedia's file \"" + nameInEncy +
                                           "\" could not be kept aside, so it was not replaced.");
        }
        goImf->KMFileDelete(nameInEncy);
    }
    auto putBack = [&] {
        if (previous) {
            goImf->KMFileImport(previous->path(), nameInEncy);
        }
    };
    Long code = fileOk;
    try {
        code = goImf->KMFileImport(diskPath, nameInEncy);
    } catch (...) {
        putBack();
        throw;
    }
    if (code != fileOk) {
        putBack();
    }
    return code;
}

// Replaces a configuration file of the encyclopedia by an edited copy; an import that fails
// leaves the previous file and is reported as an error.
void ReplaceConfigurationFile(const std::string& diskPath, const std::string& nameInEncy) {
    if (ReplaceStoredFile(diskPath, nameInEncy) != fileOk) {
        throw km::rt::RuntimeError(km::rt::ErrorNumber::PathFileAccess,
                                   "The encyclopedia's file \"" + nameInEncy +
                                       "\" could not be replaced; it keeps its previous content.");
    }
}

// Runs one step of a merge: an error shows the standard message and the merge goes on.
void Step(const std::function<void()>& step) {
    try {
        step();
    } catch (const std::exception& error) {
        ShowStandardError(error);
    }
}

pugi::xpath_node SelectWith(const pugi::xml_node& node, const char* query, const std::string& value) {
    pugi::xpath_variable_set variables;
    variables.set("value", value.c_str());
    return node.select_node(pugi::xpath_query(query, &variables));
}

} // namespace

void clsKMFileLoader::LoadMetamodel() {
    try {
        SetStatus(LocalString(12));
        for (const char* file : {"solnprops.cfg", "solnprops2.cfg", "solnprops1.cfg", "ENCYBROWSERTABS.XML"}) {
            LoadFileToEncy(file);
        }
        UpdateDeclarations("KMForSOA");
        goImf->KMFileDelete("KMPROPS.bin");
        AddSolutionPropsInclude();
        LoadImages();
        if (ShowMessage(LocalString(15) + crLf + LocalString(16), msgbox::yesNo) != km::ui::answer::yes) {
            return;
        }
        SetStatus(LocalString(17));
        goImf->KMCloseAllWindows();
        try {
            goApp->OpenEncyclopediaUsingDisplayName(goApp->encyclopedia()->FullName());
        } catch (const std::exception&) {
            ShowMessage("There was an error opening this encyclopedia. Check that there are no conflicts in the user "
                        "property file usrprops.txt with the new metamodel.",
                        msgbox::information);
            return;
        }
        SetStatus("Loading base files.");
        try {
            goApp->encyclopedia()->setxml(LibraryFolder() + "/" + "definitions.xml", true, false);
        } catch (const std::exception&) {
            // The metamodel is installed; base definitions that cannot be loaded are not essential.
        }
        CheckRelationships();
        goUtils->ShowBrowser();
        SetStatus("Complete.");
    } catch (const std::exception& error) {
        ShowStandardError(error);
    }
}

bool clsKMFileLoader::LoadFileToEncy(const std::string& strFileInAppPathToLoad) {
    SetStatus(LocalString(12));
    std::string strDiskPath = InLibraryFolder(strFileInAppPathToLoad);
    return ImportReplacing(strDiskPath, strFileInAppPathToLoad, strDiskPath);
}

bool clsKMFileLoader::LoadFileToEncyAbsolute(const std::string& strFileAbsolutePathToLoad,
                                             const std::string& strFileNameInEncy) {
    SetStatus(LocalString(12));
    return ImportReplacing(strFileAbsolutePathToLoad, strFileNameInEncy, "");
}

bool clsKMFileLoader::ImportReplacing(const std::string& strDiskPath, const std::string& strNameInEncy,
                                      const std::string& strMessagePath) {
    Long code = ReplaceStoredFile(strDiskPath, strNameInEncy);
    if (code == fileOk) {
        return true;
    }
    if (code == fileCannotRead && goUtils && goUtils->oKMXres()) {
        ShowMessage(goUtils->oKMXres()->FormatLocalString(19, strMessagePath), msgbox::critical);
    }
    return false;
}

// Switches the named solution on: every line that mentions it becomes its DEFINED line. The
// lines are written back one per line, each ending with CR LF, so that running it again gives
// the same file.
void clsKMFileLoader::UpdateDeclarations(const std::string& strName) {
    try {
        SetStatus("Modifying KMDECLAR.cfg");
        TempFile temp;
        Long exists = 0;
        goImf->KMFilexExists("KMDECLAR.CFG", "", exists);
        goImf->KMFileExport("KMDECLAR.CFG", temp.path());
        std::string strDeclare = "DECLARE " + QuoteString(strName) + " DEFINED";
        std::string strText;
        for (const std::string& line : ReadLines(temp.path())) {
            strText += (line.find(strName) != std::string::npos ? strDeclare : line) + crLf;
        }
        WriteText(temp.path(), strText, std::ios::trunc);
        ReplaceConfigurationFile(temp.path(), "KMDECLAR.CFG");
    } catch (const std::exception& error) {
        ShowStandardError(error);
    }
}

void clsKMFileLoader::AddSolutionPropsInclude() {
    try {
        SetStatus(LocalString(13));
        TempFile temp;
        Long exists = 0;
        goImf->KMFilexExists("kmprops.cfg", "", exists);
        goImf->KMFileExport("kmprops.cfg", temp.path());
        std::vector<std::string> lines = ReadLines(temp.path());
        bool blnIncluded = std::any_of(lines.begin(), lines.end(), [](const std::string& line) {
            return line.find("solnprops.cfg") != std::string::npos;
        });
        if (!blnIncluded) {
            WriteText(temp.path(), std::string(crLf) + "#includex " + QuoteString("solnprops.cfg") + crLf,
                      std::ios::app);
            ReplaceConfigurationFile(temp.path(), "kmprops.cfg");
        }
    } catch (const std::exception& error) {
        ShowStandardError(error);
    }
}

void clsKMFileLoader::LoadImages() {
    try {
        SetStatus("Loading images");
        std::vector<fs::path> files;
        for (const auto& entry : fs::directory_iterator(InLibraryFolder("images"))) {
            if (entry.is_regular_file()) {
                files.push_back(entry.path());
            }
        }
        std::sort(files.begin(), files.end());
        for (const fs::path& file : files) {
            std::string strNameInEncy = "images\\" + file.filename().string();
            if (ReplaceStoredFile(file.string(), strNameInEncy) != fileOk) {
                throw km::rt::RuntimeError(km::rt::ErrorNumber::PathFileAccess,
                                           "The image \"" + file.string() + "\" could not be loaded.");
            }
        }
    } catch (const std::exception& error) {
        ShowStandardError(error);
    }
}

void clsKMFileLoader::CheckRelationships() {
    try {
        SetStatus("Checking Relationships.");
        ResaveRelationshipProperty(309, "Provides Services");
        ResaveRelationshipProperty(618, "Provides Services");
        ResaveRelationshipProperty(812, "Owned By");
    } catch (const std::exception& error) {
        ShowStandardError(error);
    }
}

void clsKMFileLoader::ResaveRelationshipProperty(Long lngType, const std::string& strPropertyName) {
    try {
        auto definitions = goApp->encyclopedia()->getfiltereddefinitions("", lngType);
        for (Long index = 1; definitions->IsMoreThan(index - 1); ++index) {
            auto definition = definitions->Item(index);
            definition->getpropertyascollection(strPropertyName)->setProperty();
            definition->save();
        }
    } catch (const std::exception& error) {
        ShowStandardError(error);
    }
}

bool clsKMFileLoader::CheckInstallation() {
    bool blnMatrices = InstallMatrixFile("matrix.xml");
    bool blnFramework = InstallFramework("framework/kmframework.xml");
    return blnMatrices && blnFramework;
}

// Shows the installation status, finds the host's own copy of a file and loads it; false, with the
// message naming the file as \p strShownName, when it is not well-formed XML.
bool clsKMFileLoader::LoadHostFile(const std::string& strHostName, const std::string& strShownName,
                                   pugi::xml_document& host, std::string& strHostPath) {
    SetStatus(LocalString(13));
    Step([&] { strHostPath = goUtils->GetFileLocation(strHostName); });
    if (!LoadWellFormedXmlFile(host, strHostPath).empty()) {
        ShowPlainMessage("The " + strShownName + " file " + QuoteString(strHostPath) + " is not valid",
                         msgbox::okOnly | msgbox::critical);
        return false;
    }
    return true;
}

bool clsKMFileLoader::InstallMatrixFile(const std::string& strFile) {
    std::string strSolutionPath = InLibraryFolder(strFile);
    std::error_code error;
    if (!fs::exists(strSolutionPath, error)) {
        return false;
    }
    pugi::xml_document host, solution;
    std::string strHostPath;
    if (!LoadHostFile("matrix.xml", "matrix.xml", host, strHostPath)) {
        return false;
    }
    // The library folder goes into attribute values and text: escaped, so that any folder name
    // leaves the file well-formed.
    std::string strText;
    Step([&] {
        strText = km::rt::Replace(ReadWholeFile(strSolutionPath), "##APPPATH##", EscapeXmlText(LibraryFolder()));
    });
    if (!LoadWellFormedXml(solution, strText).empty()) {
        ShowMessage("The file " + strFile + " is not valid! Reinstall the solution and try again.", msgbox::critical);
        return false;
    }
    pugi::xml_node hostRoot = host.child("KMMatrixContents");
    Step([&] {
        for (pugi::xpath_node menu : solution.select_nodes("KMMatrixContents/KMMenu")) {
            std::string caption = GetAttributeText(menu.node(), "Caption");
            if (!SelectWith(host, "KMMatrixContents/KMMenu[@Caption = $value]", caption)) {
                hostRoot.prepend_copy(menu.node());
            }
        }
    });
    Step([&] {
        for (pugi::xpath_node matrix : solution.select_nodes("KMMatrixContents/KMMatrix")) {
            std::string id = GetAttributeText(matrix.node(), "KMMatrixID");
            if (SelectWith(host, "//KMMenu[@KMMatrixID = $value]", id) &&
                !SelectWith(host, "KMMatrixContents/KMMatrix[@KMMatrixID = $value]", id)) {
                hostRoot.append_copy(matrix.node());
            }
        }
    });
    if (!SaveXmlFileReplacing(host, strHostPath)) {
        ShowMessage("Cannot modify " + std::string(crLf) + strHostPath + crLf +
                        "The user does not have rights to this folder to change this file. SOA Matrices will not be "
                        "available.",
                    msgbox::information);
    }
    return true;
}

bool clsKMFileLoader::InstallFramework(const std::string& strFile) {
    std::string strSolutionPath = InLibraryFolder(strFile);
    std::error_code error;
    if (!fs::exists(strSolutionPath, error)) {
        return false;
    }
    pugi::xml_document host, solution;
    std::string strHostPath;
    if (!LoadHostFile("kmframework.xml", "KMFramework.xml", host, strHostPath)) {
        return false;
    }
    if (!LoadWellFormedXmlFile(solution, strSolutionPath).empty()) {
        ShowMessage("The file " + strFile + " is not valid! Reinstall the solution and try again.", msgbox::critical);
        return false;
    }
    std::string strName, strDisplayName;
    Step([&] {
        pugi::xml_node hostFrameworks = host.child("Frameworks");
        for (pugi::xpath_node framework : solution.select_nodes("Frameworks/Framework")) {
            strName = GetAttributeText(framework.node(), "Name");
            strDisplayName = GetAttributeText(framework.node(), "DisplayName");
            if (!SelectWith(host, "Frameworks/Framework[@Name = $value]", strName)) {
                hostFrameworks.append_copy(framework.node());
            }
        }
    });
    bool blnSaved = false;
    Step([&] {
        blnSaved = SaveXmlFileReplacing(host, strHostPath);
        if (!blnSaved) {
            throw km::rt::RuntimeError(km::rt::ErrorNumber::PathFileAccess, "Cannot write \"" + strHostPath + "\"");
        }
    });
    // The default framework must name one the host's file holds: not after a failed save.
    if (blnSaved) {
        Step([&] {
            goUtils->SetKMSetting("Default Framework", strName, "Framework");
            goUtils->SetKMSetting("DefaultFrameworkDisplayName", strDisplayName, "Framework");
            goUtils->SetKMSetting("Show Framework", "True", "Framework");
        });
    }
    CopyFrameworkFolders(strHostPath);
    return true;
}

// Copies the solution's framework content folders beside the host's framework file; a folder
// that is there already is left as it is.
void clsKMFileLoader::CopyFrameworkFolders(const std::string& strHostFile) {
    std::error_code error;
    fs::path hostFolder = fs::path(strHostFile).parent_path();
    if (hostFolder.empty() || !fs::is_directory(hostFolder, error)) {
        return;
    }
    fs::path solutionFolder = InLibraryFolder("framework");
    if (!fs::is_directory(solutionFolder, error)) {
        return;
    }
    for (const auto& entry : fs::directory_iterator(solutionFolder, error)) {
        if (!entry.is_directory()) {
            continue;
        }
        fs::path target = hostFolder / entry.path().filename();
        if (!fs::exists(target, error)) {
            Step([&] {
                fs::copy(entry.path(), target, fs::copy_options::recursive | fs::copy_options::overwrite_existing);
            });
        }
    }
}

} // namespace KM_SLN_SOA
