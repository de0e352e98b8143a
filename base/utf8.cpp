#include "base/utf8.h"

#include <algorithm>

namespace base {

std::size_t ValidSequenceLength(std::string_view s) {
    if (s.empty())
        return 0;
    const auto b = [&](std::size_t i) { return static_cast<unsigned char>(s[i]); };
    const unsigned char lead = b(0);
    if (lead < 0x80)
        return lead == 0 ? 0 : 1;
    std::size_t len;
    char32_t cp;
    if (lead >= 0xC2 && lead <= 0xDF) {
        len = 2, cp = lead & 0x1F;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        len = 3, cp = lead & 0x0F;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        len = 4, cp = lead & 0x07;
    } else {
        return 0;
    }
    if (s.size() < len)
        return 0;
    for (std::size_t i = 1; i < len; ++i) {
        if ((b(i) & 0xC0) != 0x80)
            return 0;
        cp = (cp << 6) | (b(i) & 0x3F);
    }
    const bool overlong = (len == 3 && cp < 0x800) || (len == 4 && cp < 0x10000);
    const bool surrogate = cp >= 0xD800 && cp <= 0xDFFF;
    if (overlong || surrogate || cp > 0x10FFFF)
        return 0;
    return len;
}

std::u32string DecodeUtf8(std::string_view text) {
    std::u32string out;
    while (!text.empty()) {
        const std::size_t len = ValidSequenceLength(text);
        if (len == 0) {
            out.push_back(U'\uFFFD');
            text.remove_prefix(1);
            continue;
        }
        const auto b = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
        char32_t cp = len == 1 ? b(0) : b(0) & (0x3F >> (len - 1));
        for (std::size_t i = 1; i < len; ++i)
            cp = (cp << 6) | (b(i) & 0x3F);
        out.push_back(cp);
        text.remove_prefix(len);
    }
    return out;
}

std::string EncodeUtf8(char32_t ch) {
    std::string out;
    if (ch < 0x80) {
        out += static_cast<char>(ch);
    } else if (ch < 0x800) {
        out += static_cast<char>(0xC0 | (ch >> 6));
        out += static_cast<char>(0x80 | (ch & 0x3F));
    } else if (ch < 0x10000) {
        out += static_cast<char>(0xE0 | (ch >> 12));
        out += static_cast<char>(0x80 | ((ch >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (ch & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (ch >> 18));
        out += static_cast<char>(0x80 | ((ch >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((ch >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (ch & 0x3F));
    }
    return out;
}

std::string SanitizeUtf8(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    while (!text.empty()) {
        // A run of ASCII (NUL aside) in one piece.
        const auto ascii = std::find_if(text.begin(), text.end(), [](char c) {
            return c == '\0' || static_cast<unsigned char>(c) >= 0x80;
        });
        out.append(text.begin(), ascii);
        text.remove_prefix(static_cast<std::size_t>(ascii - text.begin()));
        if (text.empty())
            break;
        const std::size_t len = ValidSequenceLength(text);
        if (len == 0) {
            out += EncodeUtf8(0xFFFD);
            text.remove_prefix(1);
        } else {
            out.append(text.substr(0, len));
            text.remove_prefix(len);
        }
    }
    return out;
}

std::size_t CountCodePoints(std::string_view text) {
    std::size_t n = 0;
    for (char c : text) {
        if ((static_cast<unsigned char>(c) & 0xC0) != 0x80)
            ++n;
    }
    return n;
}

std::filesystem::path PathFromUtf8(const std::string& text) {
    return std::filesystem::path(std::u8string(text.begin(), text.end()));
}

std::string PathToUtf8(const std::filesystem::path& path) {
    const std::u8string s = path.u8string();
    return std::string(s.begin(), s.end());
}

namespace {

bool IsDirectionControl(char32_t c) {
    return c == 0x061C || c == 0x200E || c == 0x200F || (c >= 0x202A && c <= 0x202E) ||
           (c >= 0x2066 && c <= 0x2069);
}

}  // namespace

bool HoldsControlCharacters(std::string_view text) {
    for (const char32_t c : DecodeUtf8(text)) {
        if (c < 0x20 || (c >= 0x7F && c <= 0x9F) || c == 0x2028 || c == 0x2029 ||
            IsDirectionControl(c)) {
            return true;
        }
    }
    return false;
}

std::string IsolatedForDisplay(std::string_view text) {
    // Each direction control starts with a byte from 0xD8 up: text without one is never decoded.
    if (std::none_of(text.begin(), text.end(),
                     [](char c) { return static_cast<unsigned char>(c) >= 0xD8; })) {
        return std::string(text);
    }
    for (const char32_t c : DecodeUtf8(text)) {
        if (IsDirectionControl(c))
            return "\u2068" + std::string(text) + "\u2069";  // FSI ... PDI
    }
    return std::string(text);
}

}  // namespace base
