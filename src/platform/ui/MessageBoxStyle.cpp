#include "MessageBoxStyle.h"
#include "Control.h"
#include "platform/runtime/Text.h"
#include <algorithm>
#include <array>

namespace km::ui {

namespace {

constexpr std::array<std::string_view, 8> answerNames{"", "OK", "Cancel", "Abort", "Retry", "Ignore", "Yes", "No"};

} // namespace

std::vector<int> MessageBoxStyle::buttons() const {
    switch (m_style & 7) {
    case msgbox::okCancel:
        return {answer::ok, answer::cancel};
    case msgbox::abortRetryIgnore:
        return {answer::abort, answer::retry, answer::ignore};
    case msgbox::yesNoCancel:
        return {answer::yes, answer::no, answer::cancel};
    case msgbox::yesNo:
        return {answer::yes, answer::no};
    case msgbox::retryCancel:
        return {answer::retry, answer::cancel};
    default:
        return {answer::ok};
    }
}

int MessageBoxStyle::defaultAnswer() const {
    std::vector<int> all = buttons();
    std::size_t wanted = static_cast<std::size_t>((m_style >> 8) & 3);
    return wanted < all.size() ? all[wanted] : all.front();
}

int MessageBoxStyle::dismissAnswer() const {
    for (int preferred : {answer::cancel, answer::no, answer::abort}) {
        if (accepts(preferred)) {
            return preferred;
        }
    }
    return answer::ok;
}

bool MessageBoxStyle::accepts(int value) const {
    std::vector<int> all = buttons();
    return std::find(all.begin(), all.end(), value) != all.end();
}

std::string MessageBoxStyle::iconName() const {
    switch (m_style & 0x70) {
    case msgbox::critical:
        return "Stop";
    case msgbox::question:
        return "Question";
    case msgbox::exclamation:
        return "Exclamation";
    case msgbox::information:
        return "Information";
    default:
        return {};
    }
}

std::string MessageBoxStyle::answerName(int value) {
    if (value >= answer::ok && value <= answer::no) {
        return std::string(answerNames[static_cast<std::size_t>(value)]);
    }
    return std::to_string(value);
}

std::optional<int> MessageBoxStyle::answerFromName(std::string_view name) {
    std::string plain = withoutAccessKeys(rt::Trim(name));
    for (int value = answer::ok; value <= answer::no; ++value) {
        if (rt::equalsNoCase(plain, answerNames[static_cast<std::size_t>(value)]) || plain == std::to_string(value)) {
            return value;
        }
    }
    return std::nullopt;
}

} // namespace km::ui
