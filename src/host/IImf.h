#pragma once
#include "platform/runtime/Types.h"
#include <string>

namespace km::host {

using rt::Long;

/// The host's IKMImf interface object.
class IImf {
public:
    virtual ~IImf() = default;

    /// Runs a host menu command (MenuCommand).
    virtual void kmexecutemenucommand(Long command) = 0;
    /// Marks the current diagram changed.
    virtual void KMSetDiagramDirty() = 0;
    /// Puts the main window handle into \p handle; answers 0 on success.
    virtual Long KMGetFrameWindow(Long& handle) = 0;
    /// Makes \p child the first hierarchy child of \p parent (handles are symbol handles).
    virtual void KMMakeAsFirstChild(Long& diagram, Long& child, Long& parent) = 0;
    /// Makes \p child the hierarchy child of \p parent that follows \p previous.
    virtual void KMMakeAsChildAfter(Long& diagram, Long& child, Long& parent, Long& previous) = 0;
    /// Opens the definition in an editor; the definition is locked while the editor is open.
    virtual void KMEditDefinition(Long id, bool readOnly) = 0;

    // The encyclopedia's file store.
    /// \p result becomes 1 when the named file is in the store, 0 otherwise.
    virtual void KMFilexExists(const std::string& name, const std::string& folder, Long& result) = 0;
    /// Writes a stored file to disk; answers 0 or an error code (201 not in store, 202 cannot write).
    virtual Long KMFileExport(const std::string& name, const std::string& diskPath) = 0;
    /// Stores a disk file under a name; answers 0 or an error code (203 cannot read the disk file).
    virtual Long KMFileImport(const std::string& diskPath, const std::string& name) = 0;
    virtual void KMFileDelete(const std::string& name) = 0;
    virtual void KMCloseAllWindows() = 0;
};

} // namespace km::host
