#pragma once
#include "host/IImf.h"

namespace km::kemora {

using rt::Long;
class Workbench;

/// The host's IKMImf interface object: menu commands, hierarchy links, the definition editor and
/// the encyclopedia's file store.
class Imf : public host::IImf {
public:
    /// Answers of the file store operations.
    static constexpr Long fileOk = 0;
    static constexpr Long fileNotInStore = 201;
    static constexpr Long fileCannotWrite = 202;
    static constexpr Long fileCannotRead = 203;

    explicit Imf(Workbench& workbench) : m_workbench(workbench) {}

    void kmexecutemenucommand(Long command) override;
    void KMSetDiagramDirty() override;
    Long KMGetFrameWindow(Long& handle) override;
    void KMMakeAsFirstChild(Long& diagram, Long& child, Long& parent) override;
    void KMMakeAsChildAfter(Long& diagram, Long& child, Long& parent, Long& previous) override;
    void KMEditDefinition(Long id, bool readOnly) override;
    void KMFilexExists(const std::string& name, const std::string& folder, Long& result) override;
    Long KMFileExport(const std::string& name, const std::string& diskPath) override;
    Long KMFileImport(const std::string& diskPath, const std::string& name) override;
    void KMFileDelete(const std::string& name) override;
    void KMCloseAllWindows() override;

private:
    void link(Long diagram, Long child, Long parent, Long previous);

    Workbench& m_workbench;
};

} // namespace km::kemora
