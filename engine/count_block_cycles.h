// Runs a block of assembler and counts its machine cycles, from its first instruction until
// it runs past its last one or returns.
#pragma once

#include <cstdint>
#include <string>

#include "engine/asm_block.h"

struct BlockCycles {
    bool ok = false;
    std::int64_t cycles = 0;  // a subroutine's: with its return, without the call
    bool returned = false;    // the run ended on a return
    int errorLine = 0;        // where a run-time fault was found
    std::string error;
};

struct CountOptions {
    bool skipPasses = true;  // off: plain stepping, for checking the skips themselves
    std::int64_t stepLimit = 200000000;
    int radix = kClassicRadix;  // of bare numbers; kCurrentRadix for current-syntax text
    int enteringW = -1;         // 0..255: W as the block is entered; otherwise unknown
};

// Steps instruction by instruction, but where a loop pass has repeated with only its own
// counter one lower, the remaining identical passes are added in one step: exact, and quick
// enough for the largest delays. Registers start unknown; reading one before it is loaded is
// an error, as is a loop that never ends.
BlockCycles CountBlockCycles(const AsmBlock& block, const CountOptions& options = {});

// Parse and count in one call; parse errors come back with their line as well.
BlockCycles CountTextCycles(const std::string& text, const CountOptions& options = {});
