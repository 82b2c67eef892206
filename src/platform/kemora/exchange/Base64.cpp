#include "Base64.h"
#include <array>

namespace km::kemora {

namespace {

constexpr std::string_view base64Alphabet = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";

constexpr std::array<int, 256> decodeTable() {
    std::array<int, 256> table{};
    for (int& value : table) {
        value = -1;
    }
    for (std::size_t i = 0; i < base64Alphabet.size(); ++i) {
        table[static_cast<unsigned char>(base64Alphabet[i])] = static_cast<int>(i);
    }
    return table;
}

constexpr std::array<int, 256> decodeValues = decodeTable();

bool isSpace(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

} // namespace

std::string Base64::encode(std::string_view bytes, bool wrap) {
    std::string out;
    out.reserve((bytes.size() + 2) / 3 * 4 + bytes.size() / 57 + 1);
    std::size_t lineLength = 0;
    for (std::size_t i = 0; i < bytes.size(); i += 3) {
        unsigned value = static_cast<unsigned char>(bytes[i]) << 16;
        std::size_t count = std::min<std::size_t>(3, bytes.size() - i);
        if (count > 1) {
            value |= static_cast<unsigned char>(bytes[i + 1]) << 8;
        }
        if (count > 2) {
            value |= static_cast<unsigned char>(bytes[i + 2]);
        }
        if (wrap && lineLength == 76) {
            out += '\n';
            lineLength = 0;
        }
        out += base64Alphabet[(value >> 18) & 63];
        out += base64Alphabet[(value >> 12) & 63];
        out += count > 1 ? base64Alphabet[(value >> 6) & 63] : '=';
        out += count > 2 ? base64Alphabet[value & 63] : '=';
        lineLength += 4;
    }
    return out;
}

std::optional<std::string> Base64::decode(std::string_view text) {
    std::string out;
    out.reserve(text.size() / 4 * 3);
    unsigned value = 0;
    int bits = 0, padding = 0;
    for (char c : text) {
        if (isSpace(c)) {
            continue;
        }
        if (c == '=') {
            ++padding;
            continue;
        }
        int digit = decodeValues[static_cast<unsigned char>(c)];
        if (digit < 0 || padding > 0) {
            return std::nullopt; // not an alphabet character, or data after the padding
        }
        value = (value << 6) | static_cast<unsigned>(digit);
        bits += 6;
        if (bits >= 8) {
            bits -= 8;
            out += static_cast<char>((value >> bits) & 0xFF);
        }
    }
    // Leftover bits must be the zero fill of the last group, and the padding must complete it.
    if (bits >= 6 || (value & ((1u << bits) - 1)) != 0 || padding > 2) {
        return std::nullopt;
    }
    if (padding > 0 && padding != (bits == 4 ? 2 : bits == 2 ? 1 : -1)) {
        return std::nullopt;
    }
    return out;
}

} // namespace km::kemora
