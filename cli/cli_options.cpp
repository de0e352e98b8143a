#include "cli/cli_options.h"

#include <algorithm>
#include <cctype>
#include <iterator>
#include <string_view>
#include <utility>

#include "base/number_text.h"
#include "engine/batch_request.h"
#include "engine/time_unit.h"
#include "store/profile.h"

namespace {

// An option is a flag or takes the next argument as its value.
struct OptionRow {
    std::string_view name;
    bool CliOptions::*flag = nullptr;
    std::optional<std::string> CliOptions::*value = nullptr;
};

const OptionRow kOptions[] = {
    {"--help", &CliOptions::help},
    {"-h", &CliOptions::help},
    {"--wdt", &CliOptions::watchdog},
    {"--plan", &CliOptions::plan},
    {"--verify", &CliOptions::verify},
    {"--batch", &CliOptions::batch},
    {"--lf", &CliOptions::lf},
    {"--version", &CliOptions::version},
    {"--declare", &CliOptions::declare},
    {"--link", &CliOptions::link},
    {"--time", nullptr, &CliOptions::time},
    {"--time-unit", nullptr, &CliOptions::timeUnit},
    {"--freq", nullptr, &CliOptions::frequency},
    {"--freq-unit", nullptr, &CliOptions::frequencyUnit},
    {"--profile", nullptr, &CliOptions::profile},
    {"--settings", nullptr, &CliOptions::settings},
    {"--language", nullptr, &CliOptions::language},
    {"--count", nullptr, &CliOptions::countFile},
    {"--syntax", nullptr, &CliOptions::syntax},
    {"--subroutine", nullptr, &CliOptions::subroutine},
    {"--w-times", nullptr, &CliOptions::wTimes},
    {"--w", nullptr, &CliOptions::enteringW},
    {"--from-link", nullptr, &CliOptions::fromLink},
};

// A name reads Language/NAME.lng and nothing outside that folder.
bool IsPlainLanguageName(const std::string& name) {
    return !name.empty() && name != "." && name != ".." &&
           name.find_first_of("/\\") == std::string::npos;
}

// The fragment of a link, the page's address before the "#" or not.
std::string_view LinkFragment(std::string_view link) {
    const std::size_t hash = link.find('#');
    return hash == std::string_view::npos ? link : link.substr(hash + 1);
}

// The options that ask for what the link asks for.
void TakeLinkRequest(CliOptions& o, const ShareRequest& r) {
    if (r.calculator) {
        o.time = r.calculator->timeText;
        o.timeUnit = std::string(TimeUnitWord(r.calculator->timeUnit));
        o.frequency = r.calculator->frequencyText;
        o.frequencyUnit = std::string(FrequencyUnitWord(r.calculator->frequencyUnit));
    } else {
        o.cycles = r.cyclesText;
    }
    o.watchdog = r.watchdog;
    if (!r.profile.empty())
        o.profile = r.profile;
    if (r.routine.form == DelayForm::Subroutine)
        o.subroutine = r.routine.name;
    if (r.routine.form == DelayForm::WTimes)
        o.wTimes = r.routine.name;
    o.declare = r.routine.declareRegisters;
    if (r.syntax)
        o.syntax = *r.syntax == kSyntaxCurrent ? "current" : "classic";
}

}  // namespace

int EnteringW(const std::string& text) {
    if (text.empty() || text.size() > 3)
        return -1;
    int v = 0;
    for (char c : text) {
        if (c < '0' || c > '9')
            return -1;
        v = v * 10 + (c - '0');
    }
    return v <= 255 ? v : -1;
}

namespace {

// --from-link: the options that ask for what the link asks for; an error when the command
// line asks for more beside it.
std::string TakeLink(CliOptions& o) {
    if (o.cycles || o.time || o.timeUnit || o.frequency || o.frequencyUnit || o.watchdog ||
        o.profile || o.subroutine || o.wTimes || o.declare || o.syntax || o.batch || o.countFile) {
        return "--from-link holds the whole request: no CYCLES, --time, --freq, --wdt, "
               "--profile, --subroutine, --w-times, --declare, --syntax, --batch or --count "
               "beside it";
    }
    o.linkRead = ReadShareLink(LinkFragment(*o.fromLink));
    if (o.linkRead->request)
        TakeLinkRequest(o, *o.linkRead->request);
    return "";
}

// What is wrong with the options together, the first fault only; the time and frequency are
// left as the fields hold them (a comma as the point).
std::string CombinationError(CliOptions& o) {
    std::string error;
    auto fail = [&error](std::string what) {
        if (error.empty())
            error = std::move(what);
    };
    if (o.language && !IsPlainLanguageName(*o.language))
        fail("--language takes a language name as the window lists it, with no folder part");
    if (o.timeUnit && !TimeUnitOfWord(*o.timeUnit))
        fail("--time-unit is one of us ms s min h d");
    if (o.frequencyUnit && FrequencyUnitIndex(*o.frequencyUnit) < 0) {
        fail("--freq-unit is one of MHz kHz Hz");
    }
    const bool calculator = o.time || o.frequency || o.timeUnit || o.frequencyUnit;
    if (calculator && !(o.time && o.frequency))
        fail("--time and --freq go together");
    const int modes =
        (o.cycles ? 1 : 0) + (calculator ? 1 : 0) + (o.batch ? 1 : 0) + (o.countFile ? 1 : 0);
    if (modes == 0)
        fail("give CYCLES, --time and --freq, --batch or --count FILE");
    if (modes > 1)
        fail("CYCLES, --time/--freq, --batch and --count exclude each other");
    if (o.verify && (o.batch || o.countFile || o.plan)) {
        fail("--verify checks the code of one request");
    }
    if (o.link && (o.batch || o.countFile || o.plan || o.verify))
        fail("--link prints the link of one request instead of its code");
    // A typo in a script must never become another delay: a number is whole or refused. An
    // empty field gets the window's own message.
    if (o.cycles && !o.cycles->empty() && !IsWholeCount(*o.cycles))
        fail("CYCLES \"" + *o.cycles + "\" is not a whole number (decimal, $hex or %binary)");
    for (auto [option, field] : {std::pair{"--time", &o.time}, std::pair{"--freq", &o.frequency}}) {
        if (!*field || (*field)->empty())
            continue;
        if (const std::optional<std::string> number = WholeDecimal(**field))
            **field = *number;
        else
            fail(std::string(option) + " \"" + **field +
                 "\" is not a number (digits, with one decimal point or comma)");
    }
    if (o.syntax && *o.syntax != "classic" && *o.syntax != "current")
        fail("--syntax is classic or current");
    if (o.batch && (o.syntax || o.subroutine))
        fail("--batch writes plans, which --syntax and --subroutine do not change");
    if (o.countFile && o.subroutine)
        fail("--count reads a subroutine as it is; --subroutine writes one");
    if (o.subroutine && o.wTimes)
        fail("--subroutine and --w-times exclude each other");
    if (o.batch && o.wTimes)
        fail("--batch writes blocks' plans; --w-times answers one request");
    if (o.declare && (o.batch || o.countFile || o.plan))
        fail("--declare goes with the code of one request");
    if (o.countFile && o.wTimes)
        fail("--count reads a routine as it is; --w-times writes one");
    if (o.enteringW && !o.countFile)
        fail("--w goes with --count");
    if (o.enteringW && EnteringW(*o.enteringW) < 0)
        fail("--w is a number from 0 to 255");
    return error;
}

}  // namespace

CliParse ParseCliOptions(const std::vector<std::string>& args) {
    CliParse r;
    CliOptions& o = r.options;
    auto fail = [&r](std::string what) {
        if (r.error.empty())
            r.error = std::move(what);
    };
    for (std::size_t i = 0; i < args.size() && r.error.empty(); ++i) {
        const std::string& a = args[i];
        const auto row = std::find_if(std::begin(kOptions), std::end(kOptions),
                                      [&a](const OptionRow& k) { return k.name == a; });
        if (row != std::end(kOptions) && row->flag) {
            o.*(row->flag) = true;
        } else if (row != std::end(kOptions)) {
            std::optional<std::string>& into = o.*(row->value);
            if (i + 1 >= args.size())
                fail(a + " needs a value");
            else if (into)
                fail(a + " given twice");
            else
                into = args[++i];
        } else if (a.size() > 1 && a[0] == '-' && !std::isdigit(static_cast<unsigned char>(a[1])) &&
                   a[1] != '$' && a[1] != '%') {
            fail("unknown option " + a);  // "-5" and "-$A" are counts, "-x" is not
        } else if (o.cycles) {
            fail("more than one cycle count");
        } else {
            o.cycles = a;
        }
    }
    if (!r.error.empty() || o.help || o.version)
        return r;
    if (o.fromLink) {
        r.error = TakeLink(o);
        if (!r.error.empty() || !o.linkRead->request)
            return r;  // a link that cannot be read is worded in the chosen language
    }
    r.error = CombinationError(o);
    return r;
}
