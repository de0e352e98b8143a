// The encodings a key-value file may come in, turned into the bytes the parser reads: UTF-16
// with its mark (either byte order; what Notepad saves as "Unicode") becomes UTF-8 with the
// mark, so that the next save writes it as every file is written.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace kv {

// The file's bytes as the parser takes them, or nothing for a file in an encoding the program
// cannot read: UTF-16 that does not decode or holds a NUL character (UTF-32 with a mark), or a
// file without that mark whose bytes are a quarter or more NUL (UTF-16 or UTF-32 without a
// mark). Such a file must never be written over.
std::optional<std::string> DecodeFileText(std::string bytes);

}  // namespace kv
