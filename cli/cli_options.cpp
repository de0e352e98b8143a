#include "cli/cli_options.h"

#include <cctype>
#include <string_view>
#include <utility>

#include "base/number_text.h"
#include "engine/batch_request.h"
#include "store/profile.h"

const char* const kCliHelp =
    "Usage: loopsmith-cli [options] CYCLES\n"
    "       loopsmith-cli [options] --time T --time-unit UNIT --freq F --freq-unit UNIT\n"
    "       loopsmith-cli [options] --from-link LINK\n"
    "       loopsmith-cli [options] --batch < requests\n"
    "       loopsmith-cli [--syntax S] --count FILE [--w N]\n"
    "\n"
    "Prints the PIC assembler delay code that the Loopsmith window would write.\n"
    "CYCLES is read as the cycle field reads it: decimal, $hex or %binary.\n"
    "T and F are digits with one decimal point or comma; anything else is refused.\n"
    "\n"
    "  --wdt              the loop nest with clrwdt\n"
    "  --time T           the calculator's time field (as typed)\n"
    "  --time-unit U      us, ms, s, min, h or d (default us)\n"
    "  --freq F           the oscillator frequency field (as typed)\n"
    "  --freq-unit U      MHz, kHz or Hz (default MHz)\n"
    "  --profile NAME     the profile to spell the code with (default: the first)\n"
    "  --syntax S         classic (MPASM, gpasm) or current (the XC8 PIC Assembler, pic-as):\n"
    "                     spell the code for that assembler, whatever the profile says\n"
    "  --subroutine NAME  the delay as a subroutine labelled NAME and ending in return;\n"
    "                     CYCLES counts the caller's call (2) and the return (2), so that\n"
    "                     \"call NAME\" takes exactly CYCLES. NAME is a letter or _, then\n"
    "                     letters, digits and _, not f, w, c, b, an instruction, the label\n"
    "                     or a register of the profile\n"
    "  --w-times NAME     a subroutine labelled NAME that, entered with W = n, waits n\n"
    "                     times CYCLES: \"movlw n\" then \"call NAME\" takes n * CYCLES + 4\n"
    "                     cycles from the call on (n = 1..255; W = 0 gives n = 256). The\n"
    "                     pass counter is the register after the loop's last. NAME as for\n"
    "                     --subroutine\n"
    "  --declare          declare the registers the code uses before it: a cblock at the\n"
    "                     profile's DataAddress (0x70 on PIC10/12/16, 0x00 on PIC18 when\n"
    "                     none is given), udata_shr/udata_acs with DataAddress = udata, and\n"
    "                     PSECT udata_shr/udata_acs with DS for the current assembler\n"
    "  --settings FILE    read profiles from FILE (default: the settings file named below);\n"
    "                     the file is never written\n"
    "  --language NAME    texts from the language file NAME.lng, found as the window finds\n"
    "                     it (default: the language the settings file stores, else the\n"
    "                     system's, as the window starts with)\n"
    "  --plan             one JSON line with the loop plan instead of the code, and its\n"
    "                     \"form\": block, subroutine or w-times. With --subroutine it is the\n"
    "                     body's plan, and its delayCycles is CYCLES less 4 (the call and the\n"
    "                     return); with --w-times the plan of one pass's body, its delayCycles\n"
    "                     CYCLES less 3, and \"unitCycles\" (CYCLES) and \"overheadCycles\" (4).\n"
    "                     When the calculator rounded the count: \"actualTime\" in \"timeUnit\"\n"
    "                     and \"errorPercent\", as the code's header states them\n"
    "  --verify           run the code on the built-in interpreter and report its cycles\n"
    "                     on standard error (exit 3 on a mismatch); a --w-times routine is\n"
    "                     run with every n from 1 to 256 and the formula found reported\n"
    "  --count FILE       print the cycle count of a block of assembler, FILE - for standard\n"
    "                     input (exit 2 on a line that is not understood). Bare numbers are\n"
    "                     hexadecimal, as classic assemblers read them (a note on standard\n"
    "                     error tells when decimal would count otherwise), or decimal with\n"
    "                     --syntax current; a \"radix\" line in the file changes that from\n"
    "                     there on. A block that ends in return is counted as called: with\n"
    "                     the 2 cycles of the call\n"
    "  --w N              with --count: the block is entered with W = N (0 to 255)\n"
    "  --batch            one request a line on standard input (CYCLES, or T UNIT F UNIT),\n"
    "                     one JSON line a request on standard output; a line longer than\n"
    "                     4096 bytes ends the batch (exit 2)\n"
    "  --link             the web page's shareable link of the request instead of the code,\n"
    "                     for a request that gives code: the address's fragment, such as\n"
    "                     #time=10&time-unit=ms&freq=4&freq-unit=MHz&wdt=0&profile=P&form=block\n"
    "                     Keys: cycles, or time, time-unit, freq and freq-unit; wdt (0 or 1);\n"
    "                     profile; form (block, subroutine or w-times); name (a subroutine's);\n"
    "                     declare (0 or 1); syntax (classic or current). Values are\n"
    "                     percent-encoded UTF-8. A request whose link would pass 2048 bytes,\n"
    "                     which the page does not open, is refused (exit 2)\n"
    "  --from-link LINK   the request of a shareable link (as --link prints it, with or\n"
    "                     without the page's address before the #): the same code as the page\n"
    "                     shows for it. The link holds the whole request: no CYCLES, --time,\n"
    "                     --freq, --wdt, --profile, --subroutine, --w-times, --declare or\n"
    "                     --syntax beside it\n"
    "  --lf               \"\\n\" line ends instead of \"\\r\\n\"\n"
    "  --version          the version\n"
    "  --help             this text\n"
    "\n"
    "Exit codes: 0 done, 1 the window would show a message (its text is on standard\n"
    "error), 2 usage error or unreadable input, 3 verification failed, 4 the output\n"
    "could not be written or memory ran out.\n";

namespace {

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

CliParse ParseCliOptions(const std::vector<std::string>& args) {
    CliParse r;
    CliOptions& o = r.options;
    auto fail = [&r](std::string what) {
        if (r.error.empty())
            r.error = std::move(what);
    };
    for (std::size_t i = 0; i < args.size() && r.error.empty(); ++i) {
        const std::string& a = args[i];
        auto value = [&](std::optional<std::string>& into) {
            if (i + 1 >= args.size())
                return fail(a + " needs a value");
            if (into)
                return fail(a + " given twice");
            into = args[++i];
        };
        if (a == "--help" || a == "-h") {
            o.help = true;
        } else if (a == "--wdt") {
            o.watchdog = true;
        } else if (a == "--plan") {
            o.plan = true;
        } else if (a == "--verify") {
            o.verify = true;
        } else if (a == "--batch") {
            o.batch = true;
        } else if (a == "--lf") {
            o.lf = true;
        } else if (a == "--version") {
            o.version = true;
        } else if (a == "--declare") {
            o.declare = true;
        } else if (a == "--link") {
            o.link = true;
        } else if (a == "--time") {
            value(o.time);
        } else if (a == "--time-unit") {
            value(o.timeUnit);
        } else if (a == "--freq") {
            value(o.frequency);
        } else if (a == "--freq-unit") {
            value(o.frequencyUnit);
        } else if (a == "--profile") {
            value(o.profile);
        } else if (a == "--settings") {
            value(o.settings);
        } else if (a == "--language") {
            value(o.language);
        } else if (a == "--count") {
            value(o.countFile);
        } else if (a == "--syntax") {
            value(o.syntax);
        } else if (a == "--subroutine") {
            value(o.subroutine);
        } else if (a == "--w-times") {
            value(o.wTimes);
        } else if (a == "--w") {
            value(o.enteringW);
        } else if (a == "--from-link") {
            value(o.fromLink);
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
        if (o.cycles || o.time || o.timeUnit || o.frequency || o.frequencyUnit || o.watchdog ||
            o.profile || o.subroutine || o.wTimes || o.declare || o.syntax || o.batch ||
            o.countFile) {
            fail(
                "--from-link holds the whole request: no CYCLES, --time, --freq, --wdt, "
                "--profile, --subroutine, --w-times, --declare, --syntax, --batch or --count "
                "beside it");
            return r;
        }
        o.linkRead = ReadShareLink(LinkFragment(*o.fromLink));
        if (!o.linkRead->request)
            return r;
        TakeLinkRequest(o, *o.linkRead->request);
    }

    if (o.language && !IsPlainLanguageName(*o.language))
        fail("--language takes a language name as the window lists it, with no folder part");
    if (o.timeUnit && TimeUnitIndex(*o.timeUnit) < 0)
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
    return r;
}
