#pragma once
#include "host/IUtilities.h"

namespace km::kemora {

class Workbench;

/// The host's help library: hands the help file (its path with '/' separators), the topic (empty
/// for the start page) and whether the file is there to the front end, which shows the help.
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
