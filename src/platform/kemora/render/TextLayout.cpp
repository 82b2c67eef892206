#include "TextLayout.h"
#include "platform/runtime/Text.h"
#include <algorithm>
#include <charconv>
#include <cmath>

namespace km::kemora {

namespace {

constexpr const char* ellipsis = "\xE2\x80\xA6";

// Paragraphs split at line breaks, each split into words at blanks and tabs.
std::vector<std::vector<std::string>> paragraphs(const std::string& text) {
    std::vector<std::vector<std::string>> result(1);
    std::string word;
    auto endWord = [&] {
        if (!word.empty()) {
            result.back().push_back(std::move(word));
        }
        word.clear();
    };
    for (std::size_t i = 0; i < text.size(); ++i) {
        char c = text[i];
        if (c == '\r' || c == '\n') {
            endWord();
            if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') {
                ++i;
            }
            result.emplace_back();
        } else if (c == ' ' || c == '\t') {
            endWord();
        } else {
            word += c;
        }
    }
    endWord();
    return result;
}

// Fills lines greedily; words longer than a line are cut into pieces of a line each.
std::vector<std::string> fill(const std::vector<std::vector<std::string>>& paragraphs, rt::Long maxChars) {
    std::vector<std::string> lines;
    for (const auto& words : paragraphs) {
        std::string line;
        for (std::string word : words) {
            while (rt::Len(word) > maxChars) {
                if (!line.empty()) {
                    lines.push_back(std::move(line));
                }
                line.clear();
                lines.push_back(rt::Left(word, maxChars));
                word = rt::Mid(word, maxChars + 1);
            }
            if (word.empty()) {
                continue;
            }
            if (line.empty()) {
                line = word;
            } else if (rt::Len(line) + 1 + rt::Len(word) <= maxChars) {
                line += " " + word;
            } else {
                lines.push_back(std::move(line));
                line = word;
            }
        }
        if (!line.empty()) {
            lines.push_back(std::move(line));
        }
    }
    return lines;
}

} // namespace

double TextLayout::fontSizeFromField(const std::string& field) {
    std::string text = rt::Trim(field);
    if (text.size() < 3 || text[0] != '0' || (text[1] != 'x' && text[1] != 'X')) {
        return defaultFontSize;
    }
    unsigned tenths = 0;
    auto [stop, error] = std::from_chars(text.data() + 2, text.data() + text.size(), tenths, 16);
    if (error != std::errc() || stop != text.data() + text.size() || tenths == 0) {
        return defaultFontSize;
    }
    tenths = std::clamp(tenths, 10u, 10000u);
    return tenths / 8.0; // tenths of a point / 10 * 1.25 units a point
}

std::vector<std::string> TextLayout::wrap(const std::string& text, double fontSize, double width, double height) {
    double usable = std::floor(width / charWidth(fontSize));
    double rows = std::floor(height / lineHeight(fontSize));
    if (usable < 1 || rows < 1) {
        return {};
    }
    rt::Long maxChars = static_cast<rt::Long>(std::min(usable, 100000.0));
    std::size_t maxLines = static_cast<std::size_t>(std::min(rows, 100000.0));
    std::vector<std::string> lines = fill(paragraphs(text), maxChars);
    if (lines.size() <= maxLines) {
        return lines;
    }
    lines.resize(maxLines);
    std::string& last = lines.back();
    if (rt::Len(last) >= maxChars) {
        last = rt::Left(last, maxChars - 1);
    }
    last += ellipsis;
    return lines;
}

} // namespace km::kemora
