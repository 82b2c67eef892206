#include "Display.h"
#include "TraceLog.h"

namespace km::kemora {

void Display::StartLog(const std::string& title, const std::string& fontName, Integer a, Integer b, Long c) {
    // The font and window arguments only matter to a graphical log window.
    (void)fontName, (void)a, (void)b, (void)c;
    m_log.start(title);
}

void Display::LogText(const std::string& text) {
    m_log.write(text);
}

void Display::StopLog(Integer mode) {
    (void)mode;
    m_log.stop();
}

} // namespace km::kemora
