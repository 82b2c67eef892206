#include "HelpLibrary.h"
#include "Workbench.h"
#include "platform/runtime/Text.h"
#include "platform/ui/FrontEnd.h"
#include <filesystem>

namespace km::kemora {

void HelpLibrary::KMWinHelp(long windowHandle, const std::string& helpFile, long command, long data) {
    (void)windowHandle;
    ui::HelpRequest request;
    request.file = rt::Replace(helpFile, "\\", "/");
    request.topic = command == commandTopic ? std::to_string(data) : std::string();
    std::error_code error;
    request.installed = std::filesystem::exists(request.file, error);
    m_workbench.frontEnd().showHelp(request);
}

} // namespace km::kemora
