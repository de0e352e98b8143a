// UTF-8, the text of the whole program: one decoder, strict, for every reader.
#pragma once

#include <cstddef>
#include <filesystem>
#include <string>
#include <string_view>

namespace base {

// Length of the valid UTF-8 sequence at the start of `text` (no overlong forms, surrogates or
// NUL), or 0.
std::size_t ValidSequenceLength(std::string_view text);
std::u32string DecodeUtf8(std::string_view text);  // each invalid byte becomes U+FFFD
std::string EncodeUtf8(char32_t ch);
// Invalid bytes and NUL become U+FFFD.
std::string SanitizeUtf8(std::string_view text);
std::size_t CountCodePoints(std::string_view text);

// Whether the text holds a control character (C0, DEL, C1), a line or paragraph separator, or
// a direction control (marks, embeddings, overrides, isolates): none belongs in a name.
bool HoldsControlCharacters(std::string_view text);
// The text wrapped in a first-strong isolate when it holds a direction control, so that
// shown among other text it cannot reorder that text; any other text as it is.
std::string IsolatedForDisplay(std::string_view text);

std::filesystem::path PathFromUtf8(const std::string& text);
std::string PathToUtf8(const std::filesystem::path& path);

}  // namespace base
