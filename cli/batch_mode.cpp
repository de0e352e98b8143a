// --batch: one request a line in, one JSON line a request out, in bounded memory.
#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

#include "cli/block_checks.h"
#include "cli/cli_modes.h"
#include "cli/console_output.h"
#include "engine/batch_request.h"

int RunBatch(const CliOptions& o, const CliSession& session) {
    BatchContext c;
    c.variant = o.watchdog ? Variant::Watchdog : Variant::Plain;
    c.texts = session.setup.texts.messages;
    c.timeCaption = session.captions.time;
    c.frequencyCaption = session.captions.frequency;
    c.lineEnd = session.lineEnd;

    std::vector<char> buf(1 << 16);
    std::string pending, out;
    out.reserve(1 << 17);
    // Bounded memory and time on any input: no request comes near a line of this length.
    constexpr std::size_t kLongestLine = 4096;
    std::size_t lineNumber = 0;
    bool tooLong = false;
    auto answerLines = [&](bool atEnd) {
        std::size_t start = 0;
        for (;;) {
            const std::size_t nl = pending.find('\n', start);
            if (nl == std::string::npos)
                break;
            tooLong = nl - start > kLongestLine;
            if (tooLong)
                break;
            ++lineNumber;
            AnswerBatchLine(std::string_view(pending).substr(start, nl - start), c, out);
            start = nl + 1;
        }
        pending.erase(0, start);
        if (atEnd && !pending.empty()) {
            ++lineNumber;
            AnswerBatchLine(pending, c, out);
            pending.clear();
        }
        if (out.size() >= (1 << 16) || atEnd || tooLong) {
            Write(stdout, out);
            out.clear();
        }
    };
    for (;;) {
        const std::size_t n = std::fread(buf.data(), 1, buf.size(), stdin);
        if (n == 0)
            break;
        pending.append(buf.data(), n);
        answerLines(false);
        if (tooLong || pending.size() > kLongestLine) {
            Write(stdout, out);  // the lines before it are answered
            Write(stderr, "loopsmith-cli: --batch: line " + std::to_string(lineNumber + 1) +
                              " is longer than " + std::to_string(kLongestLine) + " bytes\n");
            return OutputWritten() ? kExitUsage : kExitFailure;
        }
        if (std::ferror(stdout))
            break;  // nobody reads the answers
    }
    answerLines(true);
    if (!OutputWritten())
        return kExitFailure;
    return std::ferror(stdin) ? kExitUsage : 0;
}
