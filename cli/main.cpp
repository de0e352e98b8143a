// loopsmith-cli: the delay code of the Loopsmith window from a shell, plus checks of the code
// and a batch mode for scripts. Never links the toolkit.
#include <cstdio>
#include <filesystem>
#include <iostream>
#include <new>
#include <optional>
#include <string>
#include <vector>

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#endif

#include "base/ascii.h"
#include "base/number_text.h"
#include "base/utf8.h"
#include "cli/block_checks.h"
#include "cli/cli_options.h"
#include "cli/cli_texts.h"
#include "cli/command_line.h"
#include "cli/console_output.h"
#include "cli/program_folder.h"
#include "engine/asm_identifier.h"
#include "engine/batch_request.h"
#include "engine/delay_answer.h"
#include "engine/delay_messages.h"
#include "engine/plan_json.h"
#include "engine/share_link.h"
#include "engine/w_times_routine.h"
#include "i18n/ui_text_table.h"
#include "store/file_locations.h"
#include "store/profile_store.h"
#include "store/settings_values.h"

namespace {

int Usage(const std::string& what) {
    Write(stderr, "loopsmith-cli: " + what + " (see --help)\n");
    return kExitUsage;
}

FieldCaptions Captions(const LanguageTexts& texts) {
    const auto text = [&](const char* key) {
        return texts.ui.at(static_cast<std::size_t>(UiTextIndex(key)));
    };
    return {text("Time"), text("Frequency")};
}

// The first profile, or the one named `name` as the window and the page find it (the first of
// that name, else the first in another letter case); `error` says which names there are when
// none is.
Profile ChooseProfile(const ProfileList& profiles, const std::optional<std::string>& name,
                      std::string& error) {
    if (!name)
        return profiles.front();
    const int found = FindProfile(profiles, *name);
    if (found >= 0)
        return profiles[static_cast<std::size_t>(found)];
    std::string known;
    for (std::size_t i = 0; i < profiles.size(); ++i)
        known += (i ? ", \"" : "\"") + profiles[i].Name + "\"";
    error = "no profile named \"" + *name + "\"; the profiles are " + known;
    return Profile{};
}

// The line end --lf asks for, else the one the window writes.
std::string_view LineEnd(const CliOptions& o) {
    return o.lf ? "\n" : kWindowLineEnd;
}

int Batch(const CliSetup& setup, const CliOptions& o) {
    BatchContext c;
    c.variant = o.watchdog ? Variant::Watchdog : Variant::Plain;
    c.texts = setup.texts.messages;
    const FieldCaptions captions = Captions(setup.texts);
    c.timeCaption = captions.time;
    c.frequencyCaption = captions.frequency;
    c.lineEnd = LineEnd(o);

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

int Run(int argc, char** argv) {
#ifdef _WIN32
    // Bytes in, bytes out: text mode would turn "\n" into "\r\n" and end the input at a ^Z.
    _setmode(_fileno(stdin), _O_BINARY);
    _setmode(_fileno(stdout), _O_BINARY);
    _setmode(_fileno(stderr), _O_BINARY);
#endif
    const CliParse parsed = ParseCliOptions(CommandLineArguments(argc, argv));
    if (!parsed.error.empty())
        return Usage(parsed.error);
    const CliOptions& o = parsed.options;
    const FileLocations locations = BuildLocations(ProgramFolder());
    if (o.help) {
        Write(stdout, kCliHelp);
        Write(stdout,
              "\nSettings file: " +
                  (locations.settingsFile.empty() ? std::string("none (no home folder)")
                                                  : base::PathToUtf8(locations.settingsFile)) +
                  "\n");
        return 0;
    }
    if (o.version) {
        Write(stdout, "loopsmith-cli " LOOPSMITH_VERSION "\n");
        return 0;
    }
    const int syntax = o.syntax && *o.syntax == "current" ? kSyntaxCurrent : kSyntaxClassic;
    if (o.countFile) {
        return CountBlockFile(*o.countFile, o.syntax ? syntax : kSyntaxNotGiven,
                              o.enteringW ? EnteringW(*o.enteringW) : -1);
    }

    const std::filesystem::path settings =
        o.settings ? base::PathFromUtf8(*o.settings) : locations.settingsFile;
    CliSetup setup = ReadCliSettings(settings);
    // The default file may well be missing (the built-in profiles then serve); a named one must
    // be read.
    if (o.settings && !setup.unreadable.empty()) {
        Write(stderr, "loopsmith-cli: --settings: " + setup.unreadable + "\n");
        return kExitUsage;
    }
    if (setup.beyondLimits)
        Write(stderr, "loopsmith-cli: " + setup.unreadable + "; the built-in profiles serve\n");
    std::string unknown;
    Profile chosen = ChooseProfile(setup.profiles, o.profile, unknown);
    if (!unknown.empty())
        return Usage(unknown);
    if (o.syntax)
        chosen.Syntax = syntax;
    if (o.subroutine && !IsSubroutineName(*o.subroutine, chosen)) {
        return Usage("--subroutine: \"" + *o.subroutine +
                     "\" is no name the assembler takes, or names the label or a register");
    }
    if (o.wTimes && !IsSubroutineName(*o.wTimes, chosen)) {
        return Usage("--w-times: \"" + *o.wTimes +
                     "\" is no name the assembler takes, or names the label or a register");
    }
    const std::vector<std::filesystem::path>& languages = locations.languageFolders;
    if (o.language) {
        if (std::optional<std::string> m = ApplyNamedLanguage(setup, languages, *o.language)) {
            Write(stderr, *m + "\n");
            return kExitMessage;
        }
    } else if (std::optional<std::string> m = ApplyStoredLanguage(setup, languages)) {
        // The window shows this and goes on with the built-in texts; so does the tool.
        Write(stderr, *m + "\n");
    }
    if (o.linkRead && !o.linkRead->request) {
        Write(stderr, "loopsmith-cli: --from-link: " +
                          LinkFaultMessage(setup.texts.messages, *o.linkRead) + "\n");
        return kExitUsage;
    }
    if (o.batch)
        return Batch(setup, o);

    DelayRequest request;
    request.variant = o.watchdog ? Variant::Watchdog : Variant::Plain;
    if (o.time) {
        request.calculator =
            CalculatorLines{*o.time, o.timeUnit ? TimeUnitIndex(*o.timeUnit) : 0, *o.frequency,
                            o.frequencyUnit ? FrequencyUnitIndex(*o.frequencyUnit) : 0};
    } else {
        request.delayCycles = ReadIntegerText(o.cycles.value_or(""));
    }
    if (o.subroutine)
        request.routine = {DelayForm::Subroutine, *o.subroutine};
    if (o.wTimes)
        request.routine = {DelayForm::WTimes, *o.wTimes};
    request.routine.declareRegisters = o.declare;
    const std::string_view lineEnd = LineEnd(o);
    const ShareRequest link{base::TrimBlanks(o.cycles.value_or("")),
                            request.calculator,
                            o.watchdog,
                            chosen.Name,
                            request.routine,
                            chosen.Syntax == kSyntaxCurrent ? kSyntaxCurrent : kSyntaxClassic};
    if (o.link && !ShareLinkFits(link)) {
        return Usage("--link: the link would be longer than " + std::to_string(kMaxShareLinkSize) +
                     " bytes, which the page does not open");
    }
    const DelayAnswer answer = AnswerDelay(request, chosen.Name.empty() ? nullptr : &chosen,
                                           setup.texts.messages, Captions(setup.texts), lineEnd);
    if (answer.message) {
        Write(stderr, answer.message->text + "\n");
        return kExitMessage;
    }
    const std::int64_t delayCycles = *answer.delayCycles;
    if (o.link) {
        Write(stdout, MakeShareLink(link).append(lineEnd));
        return 0;
    }
    if (o.plan) {
        std::string line;
        AppendFormPlanJson(line, *answer.plan, request.routine.form,
                           answer.actualTime ? &*answer.actualTime : nullptr,
                           request.calculator ? request.calculator->timeUnit : 0);
        Write(stdout, line.append(lineEnd));
        return 0;
    }
    Write(stdout, answer.code);
    if (!OutputWritten())
        return kExitFailure;  // code nobody got is not verified
    if (o.verify && o.wTimes)
        return VerifyWTimesCode(answer.code, chosen.Syntax, delayCycles, kWTimesOverhead);
    if (o.verify)
        return VerifyCode(answer.code, chosen.Syntax, o.subroutine.has_value(), delayCycles);
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    int code = 0;
    try {
        code = Run(argc, argv);
    } catch (const std::bad_alloc&) {
        std::fputs("loopsmith-cli: out of memory\n", stderr);
        return kExitFailure;
    }
    // Nothing counts as done that did not reach standard output.
    if (code != kExitFailure && !OutputWritten())
        return kExitFailure;
    return code;
}
