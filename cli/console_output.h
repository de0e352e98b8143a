// Output of loopsmith-cli: bytes to a file or pipe, text to a console.
#pragma once

#include <cstdio>
#include <string>

// Writes UTF-8 `s` to stdout or stderr. Redirected, the bytes go out as they are; on a Windows
// console, which would show them in its OEM code page, they go through the console's UTF-16
// interface.
void Write(std::FILE* f, const std::string& s);
