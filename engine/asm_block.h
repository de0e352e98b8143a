// A block of PIC assembler in the forms the program writes (either family, either syntax,
// labels or "$-n" jumps, an inline block or a subroutine), read into instructions that can be
// run.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

enum class Op { Movlw, Movwf, Decfsz, Jump, Nop, Clrwdt, Return };

struct Instruction {
    Op op = Op::Nop;
    int line = 0;      // 1-based line of the text
    int value = 0;     // Movlw: the literal
    int reg = -1;      // Movwf, Decfsz: index into AsmBlock::registers
    bool toW = false;  // Decfsz with destination W
    int target = 0;    // Jump: index of the target instruction; size() is the block's end
    int words = 1;     // program-memory words (a PIC18 goto takes two)
};

struct AsmBlock {
    std::vector<Instruction> code;
    std::vector<std::string> registers;  // by first use
    bool pic18 = false;                  // byte addresses: "$-n" counts two per word
};

struct AsmBlockResult {
    bool ok = false;
    AsmBlock block;
    int errorLine = 0;
    std::string error;  // what was not understood, in English
};

// The radix of bare numbers: the classic assemblers' default, and the current Microchip
// assembler's.
inline constexpr int kClassicRadix = 16;
inline constexpr int kCurrentRadix = 10;

// Comments (";" to the line end) and empty lines are skipped. Numbers: ".n" and d'n' are
// decimal, 0xn and h'n' hexadecimal; bare digits are read in `radix`, which a "radix dec",
// "radix hex" or "radix oct" line changes from there on. In decimal radix "0FBh", "251d",
// "101b" and "17o" are read as well. "return" ends a subroutine; "call" is not read.
AsmBlockResult ParseAsmBlock(const std::string& text, int radix = kClassicRadix);
