// --count and --verify: what the built-in interpreter says a block of assembler takes.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>

inline constexpr int kExitMessage = 1;
inline constexpr int kExitUsage = 2;
inline constexpr int kExitMismatch = 3;

void Write(std::FILE* f, const std::string& s);

// --count without --syntax: bare numbers hexadecimal, as classic assemblers read them.
inline constexpr int kSyntaxNotGiven = -1;

// Prints the cycle count of the file, or why it cannot be had (exit 2). `syntax` chooses
// the radix of bare numbers; when it was not given and the decimal reading counts otherwise,
// a note on standard error says so.
int CountBlockFile(const std::string& file, int syntax);

// Runs the code that was written and reports on standard error whether it takes `expected`
// cycles (a subroutine as called: with its call); exit 3 when not.
int VerifyCode(const std::string& code, int syntax, bool subroutine, std::int64_t expected);
