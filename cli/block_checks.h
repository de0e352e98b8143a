// --count and --verify: what the built-in interpreter says a block of assembler takes.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>

inline constexpr int kExitMessage = 1;
inline constexpr int kExitUsage = 2;
inline constexpr int kExitMismatch = 3;
inline constexpr int kExitFailure = 4;  // the output could not be written, or memory ran out

// Flushes standard output: false, after one line on standard error, when anything written to
// it was lost (a full disk, a closed pipe or descriptor).
bool OutputWritten();

// --count without --syntax: bare numbers hexadecimal, as classic assemblers read them.
inline constexpr int kSyntaxNotGiven = -1;

// Prints the cycle count of the file, or why it cannot be had (exit 2). `syntax` chooses
// the radix of bare numbers; when it was not given and the decimal reading counts otherwise,
// a note on standard error says so.
// `enteringW` 0..255: W as the block is entered (a W-times routine); -1 unknown.
int CountBlockFile(const std::string& file, int syntax, int enteringW = -1);

// Runs the code that was written and reports on standard error whether it takes `expected`
// cycles (a subroutine as called: with its call); exit 3 when not.
int VerifyCode(const std::string& code, int syntax, bool subroutine, std::int64_t expected);

// Runs a W-times routine entered with every n from 1 to 256 (W = 0 for 256) and reports the
// formula n * U + C that the runs follow, or the first n that breaks `unit` and `overhead`.
int VerifyWTimesCode(const std::string& code, int syntax, std::int64_t unit, std::int64_t overhead);
