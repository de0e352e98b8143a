// A block of PIC assembler in the form the program writes (either family, labels or "$-n"
// jumps), read into instructions that can be run.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

enum class Op { Movlw, Movwf, Decfsz, Jump, Nop, Clrwdt };

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

// Comments (";" to the line end) and empty lines are skipped. Numbers: ".n" and d'n' are
// decimal; 0xn, h'n' and bare digits are hexadecimal, the assemblers' default radix.
AsmBlockResult ParseAsmBlock(const std::string& text);
