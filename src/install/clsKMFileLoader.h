#pragma once
#include "platform/runtime/Types.h"
#include <string>

namespace pugi {
class xml_document;
}

namespace KM_SLN_SOA {

/// Installs the solution: LoadMetamodel copies the solution's property, browser-tab and image
/// files from the library folder into the open encyclopedia's file store, switches the solution
/// on in "KMDECLAR.CFG", includes "solnprops.cfg" from "kmprops.cfg", reopens the encyclopedia
/// (after asking) so that the host rebuilds its metamodel, loads the base definitions and re-saves
/// the relationships the new metamodel changes. CheckInstallation merges the solution's matrices
/// and framework into the host's own "matrix.xml" and "kmframework.xml".
///
/// A stored file is only replaced once its replacement has been imported: when an import fails
/// the previous file is put back. Temporary files are removed on every path.
class clsKMFileLoader {
public:
    void LoadMetamodel();
    /// Stores the file of the library folder under its own (relative) name; True when imported.
    bool LoadFileToEncy(const std::string& strFileInAppPathToLoad);
    /// Stores a disk file under \p strFileNameInEncy; True when imported.
    bool LoadFileToEncyAbsolute(const std::string& strFileAbsolutePathToLoad, const std::string& strFileNameInEncy);
    /// Answers whether the host's files hold the solution's matrices and framework (both merges
    /// always run).
    bool CheckInstallation();

private:
    bool ImportReplacing(const std::string& strDiskPath, const std::string& strNameInEncy,
                         const std::string& strMessagePath);
    void UpdateDeclarations(const std::string& strName);
    void AddSolutionPropsInclude();
    void LoadImages();
    void CheckRelationships();
    void ResaveRelationshipProperty(km::rt::Long lngType, const std::string& strPropertyName);
    bool LoadHostFile(const std::string& strHostName, const std::string& strShownName, pugi::xml_document& host,
                      std::string& strHostPath);
    bool InstallMatrixFile(const std::string& strFile);
    bool InstallFramework(const std::string& strFile);
    void CopyFrameworkFolders(const std::string& strHostFile);
};

} // namespace KM_SLN_SOA
