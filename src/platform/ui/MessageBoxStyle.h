#pragma once
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace km::ui {

/// Message-box style numbers of the platform: a button set plus an icon plus a default button.
namespace msgbox {
inline constexpr int okOnly = 0;
inline constexpr int okCancel = 1;
inline constexpr int abortRetryIgnore = 2;
inline constexpr int yesNoCancel = 3;
inline constexpr int yesNo = 4;
inline constexpr int retryCancel = 5;
inline constexpr int critical = 16;
inline constexpr int question = 32;
inline constexpr int exclamation = 48;
inline constexpr int information = 64;
inline constexpr int defaultButton2 = 256;
inline constexpr int defaultButton3 = 512;
} // namespace msgbox

/// Message-box answer numbers of the platform (0: nothing was shown).
namespace answer {
inline constexpr int none = 0;
inline constexpr int ok = 1;
inline constexpr int cancel = 2;
inline constexpr int abort = 3;
inline constexpr int retry = 4;
inline constexpr int ignore = 5;
inline constexpr int yes = 6;
inline constexpr int no = 7;
} // namespace answer

/// Reads a message-box style number: which buttons it shows, which is the default, which icon.
class MessageBoxStyle {
public:
    explicit MessageBoxStyle(int style) : m_style(style) {}

    int style() const { return m_style; }
    /// The answers of the buttons, left to right (an unknown button set shows OK only).
    std::vector<int> buttons() const;
    /// The answer of the default button: the first, or the second or third when the style asks
    /// for it (256, 512) and has that many buttons.
    int defaultAnswer() const;
    /// The answer that closing the box without choosing gives: Cancel when there is a Cancel
    /// button, else No, else Abort, else OK.
    int dismissAnswer() const;
    bool accepts(int answer) const;
    /// "Stop", "Question", "Exclamation", "Information", or empty without an icon.
    std::string iconName() const;

    /// "OK", "Cancel", "Abort", "Retry", "Ignore", "Yes", "No"; the number as text otherwise.
    static std::string answerName(int answer);
    /// The answer a name stands for, without regard to case and '&' marks ("ok", "&Yes", "no");
    /// also the answer numbers 1 to 7 as text.
    static std::optional<int> answerFromName(std::string_view name);

private:
    int m_style;
};

} // namespace km::ui
