#include "store/text_encoding.h"

#include <algorithm>

#include "base/utf8.h"
#include "store/key_value_text.h"

namespace kv {

namespace {

std::optional<std::string> Utf16ToUtf8(std::string_view bytes, bool bigEndian) {
    if (bytes.size() % 2 != 0)
        return std::nullopt;
    std::string out(kByteOrderMark);
    out.reserve(bytes.size() + bytes.size() / 2);
    const auto unit = [&](std::size_t i) {
        const auto hi = static_cast<unsigned char>(bytes[bigEndian ? i : i + 1]);
        const auto lo = static_cast<unsigned char>(bytes[bigEndian ? i + 1 : i]);
        return static_cast<char32_t>(hi << 8 | lo);
    };
    for (std::size_t i = 0; i < bytes.size(); i += 2) {
        char32_t c = unit(i);
        if (c >= 0xDC00 && c <= 0xDFFF)
            return std::nullopt;
        if (c >= 0xD800 && c <= 0xDBFF) {
            if (i + 2 >= bytes.size())
                return std::nullopt;
            const char32_t low = unit(i + 2);
            if (low < 0xDC00 || low > 0xDFFF)
                return std::nullopt;
            c = 0x10000 + ((c - 0xD800) << 10) + (low - 0xDC00);
            i += 2;
        }
        if (c == 0)
            return std::nullopt;
        out += base::EncodeUtf8(c);
    }
    return out;
}

}  // namespace

std::optional<std::string> DecodeFileText(std::string bytes) {
    const std::string_view view = bytes;
    if (view.substr(0, 2) == "\xFF\xFE")
        return Utf16ToUtf8(view.substr(2), false);
    if (view.substr(0, 2) == "\xFE\xFF")
        return Utf16ToUtf8(view.substr(2), true);
    // Text of one-byte characters has a stray NUL at most; UTF-16 or UTF-32 without a mark
    // has one in every second or fourth byte, or more.
    const auto nuls = static_cast<std::size_t>(std::count(view.begin(), view.end(), '\0'));
    if (nuls > 0 && nuls >= view.size() / 4)
        return std::nullopt;
    return bytes;
}

}  // namespace kv
