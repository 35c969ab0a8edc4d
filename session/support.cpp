#include "session/support.h"

#include <array>
#include <cstdint>

namespace corvane {

namespace {

constexpr std::size_t kHexEncodeLimit = 1023;
constexpr std::size_t kHexDecodeLimit = 2047;

std::array<std::uint8_t, 8> KeyValues(std::string_view keyText) {
    std::array<unsigned, 9> b{};
    for (std::size_t i = 0; i < b.size() && i < keyText.size(); ++i) {
        b[i] = static_cast<unsigned char>(keyText[i]);
    }
    std::array<std::uint8_t, 8> k{};
    for (unsigned i = 0; i < 8; ++i) {
        k[i] = static_cast<std::uint8_t>((b[i + 1] * (i + 1) + b[i] * 256) % 0x7FFF);
    }
    return k;
}

int HexDigitValue(char c) {
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    return -1;
}

}  // namespace

void ScrambleText(std::string& text, std::string_view keyText) {
    const auto k = KeyValues(keyText);
    for (std::size_t j = 0; j < text.size() && text[j] != '\0'; ++j) {
        text[j] = static_cast<char>(static_cast<std::uint8_t>(text[j]) ^ k[j % 8]);
    }
}

void ScrambleBytes(std::string& bytes, std::string_view keyText) {
    const auto k = KeyValues(keyText);
    for (std::size_t j = 0; j < bytes.size(); ++j) {
        bytes[j] = static_cast<char>(static_cast<std::uint8_t>(bytes[j]) ^ k[j % 8]);
    }
}

std::string HexEncode(std::string_view text) {
    static constexpr char kDigits[] = "0123456789ABCDEF";
    std::string out;
    for (std::size_t i = 0; i < text.size() && i < kHexEncodeLimit && text[i] != '\0'; ++i) {
        const auto byte = static_cast<unsigned char>(text[i]);
        out.push_back(kDigits[byte >> 4]);
        out.push_back(kDigits[byte & 0x0F]);
    }
    return out;
}

std::string HexDecode(std::string_view text) {
    std::string out;
    const std::size_t pairs = text.size() / 2;
    for (std::size_t i = 0; i < pairs && out.size() < kHexDecodeLimit; ++i) {
        const int high = HexDigitValue(text[2 * i]);
        const int low = HexDigitValue(text[2 * i + 1]);
        int value = 0;
        if (high >= 0)
            value = low >= 0 ? high * 16 + low : high;
        if (value == 0)
            break;
        out.push_back(static_cast<char>(value));
    }
    return out;
}

}  // namespace corvane
