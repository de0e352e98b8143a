#include "cli/cli_session.h"

#include <filesystem>

#include "base/number_text.h"
#include "base/utf8.h"
#include "cli/block_checks.h"
#include "cli/console_output.h"
#include "engine/asm_identifier.h"
#include "engine/batch_request.h"
#include "engine/delay_messages.h"
#include "engine/time_unit.h"
#include "i18n/ui_text_table.h"
#include "store/profile_store.h"

namespace {

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

}  // namespace

int Usage(const std::string& what) {
    Write(stderr, "loopsmith-cli: " + what + " (see --help)\n");
    return kExitUsage;
}

std::optional<int> OpenSession(const CliOptions& o, const FileLocations& locations,
                               CliSession& session) {
    const int syntax = o.syntax && *o.syntax == "current" ? kSyntaxCurrent : kSyntaxClassic;
    const std::filesystem::path settings =
        o.settings ? base::PathFromUtf8(*o.settings) : locations.settingsFile;
    CliSetup& setup = session.setup;
    setup = ReadCliSettings(settings);
    // The default file may well be missing (the built-in profiles then serve); a named one must
    // be read.
    if (o.settings && !setup.unreadable.empty()) {
        Write(stderr, "loopsmith-cli: --settings: " + setup.unreadable + "\n");
        return kExitUsage;
    }
    if (setup.beyondLimits)
        Write(stderr, "loopsmith-cli: " + setup.unreadable + "; the built-in profiles serve\n");
    std::string unknown;
    session.chosen = ChooseProfile(setup.profiles, o.profile, unknown);
    if (!unknown.empty())
        return Usage(unknown);
    if (o.syntax)
        session.chosen.Syntax = syntax;
    if (o.subroutine && !IsSubroutineName(*o.subroutine, session.chosen)) {
        return Usage("--subroutine: \"" + *o.subroutine +
                     "\" is no name the assembler takes, or names the label or a register");
    }
    if (o.wTimes && !IsSubroutineName(*o.wTimes, session.chosen)) {
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
    session.captions = Captions(setup.texts);
    // The line end --lf asks for, else the one the window writes.
    session.lineEnd = o.lf ? "\n" : kWindowLineEnd;
    return std::nullopt;
}

DelayRequest RequestOf(const CliOptions& o) {
    DelayRequest request;
    request.variant = o.watchdog ? Variant::Watchdog : Variant::Plain;
    if (o.time) {
        request.calculator = CalculatorLines{
            *o.time, o.timeUnit ? TimeUnitOfWord(*o.timeUnit) : TimeUnit::Microseconds,
            *o.frequency, o.frequencyUnit ? FrequencyUnitIndex(*o.frequencyUnit) : 0};
    } else {
        request.delayCycles = ReadIntegerText(o.cycles.value_or(""));
    }
    if (o.subroutine)
        request.routine = {DelayForm::Subroutine, *o.subroutine};
    if (o.wTimes)
        request.routine = {DelayForm::WTimes, *o.wTimes};
    request.routine.declareRegisters = o.declare;
    return request;
}

std::optional<DelayAnswer> AnswerWithCode(const CliSession& session, const DelayRequest& request) {
    const Profile* profile = session.chosen.Name.empty() ? nullptr : &session.chosen;
    DelayAnswer answer = AnswerDelay(request, profile, session.setup.texts.messages,
                                     session.captions, session.lineEnd);
    if (!answer.message)
        return answer;
    Write(stderr, answer.message->text + "\n");
    return std::nullopt;
}
