#pragma once
#include "host/IUtilities.h"

namespace km::kemora {

class Workbench;

/// The host's help library: opens a help file with the configured viewer command, "{file}" and
/// "{topic}" replaced (topic empty for the start page); with no viewer it tells where the help
/// file and topic are.
class HelpLibrary : public host::IHelpLibrary {
public:
    static constexpr long commandContents = 1;
    static constexpr long commandTopic = 15;

    explicit HelpLibrary(Workbench& workbench) : m_workbench(workbench) {}
    void KMWinHelp(long windowHandle, const std::string& helpFile, long command, long data) override;

private:
    Workbench& m_workbench;
};

} // namespace km::kemora
