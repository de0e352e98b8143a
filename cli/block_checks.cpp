#include "cli/block_checks.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <limits>
#include <optional>

#include "base/utf8.h"
#include "cli/console_output.h"
#include "engine/count_block_cycles.h"
#include "engine/delay_subroutine.h"
#include "store/file_platform.h"
#include "store/profile.h"

namespace {

// A block of code is a few kilobytes; this keeps a device or a wrong file from filling memory.
constexpr std::size_t kMaxBlockFileSize = 16u << 20;

BlockCycles Count(const std::string& text, int syntax, int enteringW = -1) {
    CountOptions options;
    options.radix = syntax == kSyntaxCurrent ? kCurrentRadix : kClassicRadix;
    options.enteringW = enteringW;
    return CountTextCycles(text, options);
}

// A run that ended on return is a subroutine: the caller's count adds the call.
std::optional<std::int64_t> CyclesAsCalled(const BlockCycles& run) {
    if (!run.returned)
        return run.cycles;
    if (run.cycles > std::numeric_limits<std::int64_t>::max() - kCallCycles)
        return std::nullopt;
    return run.cycles + kCallCycles;
}

// Standard input to its end, or nothing when it is unreadable or larger than a block can be.
std::optional<std::string> ReadStandardInput() {
    std::string text;
    char buf[1 << 16];
    for (;;) {
        const std::size_t n = std::fread(buf, 1, sizeof buf, stdin);
        text.append(buf, n);
        if (text.size() > kMaxBlockFileSize)
            return std::nullopt;
        if (n < sizeof buf)
            break;
    }
    if (std::ferror(stdin))
        return std::nullopt;
    return text;
}

// The block of a file; the file "-" is standard input. Nothing after the message.
std::optional<std::string> ReadBlock(const std::string& file) {
    if (file == "-") {
        std::optional<std::string> text = ReadStandardInput();
        if (!text)
            Write(stderr, "loopsmith-cli: standard input is not a block of assembler text\n");
        return text;
    }
    // Opened without blocking and checked to be a regular file: a FIFO must not hang the tool.
    const std::filesystem::path path = base::PathFromUtf8(file);
    std::optional<fileio::FileHandle> in = fileio::FileHandle::OpenForReading(path);
    std::error_code ec;
    if (in ? in->TooLarge(kMaxBlockFileSize) : !std::filesystem::is_regular_file(path, ec)) {
        Write(stderr, "loopsmith-cli: " + file + " is not a block of assembler text\n");
        return std::nullopt;
    }
    std::optional<std::string> content = in ? in->ReadAll(kMaxBlockFileSize) : std::nullopt;
    if (!content)
        Write(stderr, "loopsmith-cli: cannot read " + file + "\n");
    return content;
}

}  // namespace

bool OutputWritten() {
    errno = 0;
    if (std::fflush(stdout) == 0 && !std::ferror(stdout))
        return true;
    const std::string reason = errno != 0 ? std::strerror(errno) : "write error";
    std::fputs(("loopsmith-cli: cannot write the output: " + reason + "\n").c_str(), stderr);
    return false;
}

int CountBlockFile(const std::string& file, int syntax, int enteringW) {
    const std::optional<std::string> content = ReadBlock(file);
    if (!content)
        return kExitUsage;
    const std::string& text = *content;
    const BlockCycles run =
        Count(text, syntax == kSyntaxNotGiven ? kSyntaxClassic : syntax, enteringW);
    if (!run.ok) {
        const std::string where = run.errorLine > 0 ? ":" + std::to_string(run.errorLine) : "";
        Write(stderr, file + where + ": " + run.error + "\n");
        return kExitUsage;
    }
    const std::optional<std::int64_t> cycles = CyclesAsCalled(run);
    if (!cycles) {
        Write(stderr, file + ": too many cycles to count\n");
        return kExitUsage;
    }
    Write(stdout, std::to_string(*cycles) + "\n");
    // Text for the current assembler read as classic is counted wrong without a word.
    if (syntax == kSyntaxNotGiven) {
        const BlockCycles asDecimal = Count(text, kSyntaxCurrent, enteringW);
        const std::optional<std::int64_t> decimal =
            asDecimal.ok ? CyclesAsCalled(asDecimal) : std::nullopt;
        if (decimal && *decimal != *cycles) {
            Write(stderr,
                  "loopsmith-cli: bare numbers were read as hexadecimal; with --syntax "
                  "current (decimal) the count is " +
                      std::to_string(*decimal) + "\n");
        }
    }
    return 0;
}

int VerifyCode(const std::string& code, int syntax, bool subroutine, std::int64_t expected) {
    const BlockCycles run = Count(code, syntax);
    if (!run.ok) {
        Write(stderr, "verification failed: line " + std::to_string(run.errorLine) + ": " +
                          run.error + "\n");
        return kExitMismatch;
    }
    const std::int64_t cycles = CyclesAsCalled(run).value_or(-1);
    if (cycles != expected || run.returned != subroutine) {
        Write(stderr, "verification failed: the code takes " + std::to_string(cycles) + " cycles" +
                          (run.returned ? " as called" : "") + ", not " + std::to_string(expected) +
                          "\n");
        return kExitMismatch;
    }
    Write(stderr, "verified: " + std::to_string(cycles) + " cycles\n");
    return 0;
}

int VerifyWTimesCode(const std::string& code, int syntax, std::int64_t unit,
                     std::int64_t overhead) {
    std::int64_t found[257] = {};
    for (int n = 1; n <= 256; ++n) {
        const BlockCycles run = Count(code, syntax, n & 0xFF);
        if (!run.ok) {
            Write(stderr, "verification failed: with W = " + std::to_string(n & 0xFF) + ": line " +
                              std::to_string(run.errorLine) + ": " + run.error + "\n");
            return kExitMismatch;
        }
        found[n] = run.returned ? CyclesAsCalled(run).value_or(-1) : -1;
    }
    // The formula the runs follow, read off the first two; then every run must keep it.
    const std::int64_t u = found[2] - found[1];
    const std::int64_t c = found[1] - u;
    for (int n = 1; n <= 256; ++n) {
        if (found[n] != n * unit + overhead || found[n] != n * u + c) {
            Write(stderr, "verification failed: with W = " + std::to_string(n & 0xFF) +
                              " the code takes " + std::to_string(found[n]) +
                              " cycles as called, not " + std::to_string(n * unit + overhead) +
                              "\n");
            return kExitMismatch;
        }
    }
    Write(stderr, "verified: n * " + std::to_string(u) + " + " + std::to_string(c) +
                      " cycles for every n from 1 to 256 (W = 0 for 256)\n");
    return 0;
}
