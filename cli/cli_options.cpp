#include "cli/cli_options.h"

#include <cctype>

#include "engine/batch_request.h"

const char* const kCliHelp =
    "Usage: loopsmith-cli [options] CYCLES\n"
    "       loopsmith-cli [options] --time T --time-unit UNIT --freq F --freq-unit UNIT\n"
    "       loopsmith-cli [options] --batch < requests\n"
    "       loopsmith-cli [--syntax S] --count FILE [--w N]\n"
    "\n"
    "Prints the PIC assembler delay code that the Loopsmith window would write.\n"
    "CYCLES is read as the cycle field reads it: decimal, $hex or %binary.\n"
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
    "  --settings FILE    read profiles from FILE (default: the settings file named below);\n"
    "                     the file is never written\n"
    "  --language NAME    texts from the language file NAME.lng, found as the window finds\n"
    "                     it (default: the language the settings file stores, as the window\n"
    "                     starts with)\n"
    "  --plan             one JSON line with the loop plan instead of the code, and its\n"
    "                     \"form\": block, subroutine or w-times. With --subroutine it is the\n"
    "                     body's plan, and its delayCycles is CYCLES less 4 (the call and the\n"
    "                     return); with --w-times the plan of one pass's body, its delayCycles\n"
    "                     CYCLES less 3, and \"unitCycles\" (CYCLES) and \"overheadCycles\" (4)\n"
    "  --verify           run the code on the built-in interpreter and report its cycles\n"
    "                     on standard error (exit 3 on a mismatch); a --w-times routine is\n"
    "                     run with every n from 1 to 256 and the formula found reported\n"
    "  --count FILE       print the cycle count of a block of assembler (exit 2 on a line\n"
    "                     that is not understood). Bare numbers are hexadecimal, as classic\n"
    "                     assemblers read them (a note on standard error tells when decimal\n"
    "                     would count otherwise), or decimal with --syntax current; a\n"
    "                     \"radix\" line in the file changes that from there on. A block that\n"
    "                     ends in return is counted as called: with the 2 cycles of the call\n"
    "  --w N              with --count: the block is entered with W = N (0 to 255)\n"
    "  --batch            one request a line on standard input (CYCLES, or T UNIT F UNIT),\n"
    "                     one JSON line a request on standard output\n"
    "  --link             the web page's shareable link of the request instead of the code,\n"
    "                     for a request that gives code: the address's fragment, such as\n"
    "                     #time=10&time-unit=ms&freq=4&freq-unit=MHz&wdt=0&profile=P&form=block\n"
    "                     Keys: cycles, or time, time-unit, freq and freq-unit; wdt (0 or 1);\n"
    "                     profile; form (block, subroutine or w-times); name (a subroutine's).\n"
    "                     Values are percent-encoded UTF-8\n"
    "  --lf               \"\\n\" line ends instead of \"\\r\\n\"\n"
    "  --help             this text\n"
    "\n"
    "Exit codes: 0 done, 1 the window would show a message (its text is on standard\n"
    "error), 2 usage error or unreadable input, 3 verification failed.\n";

namespace {

// A name reads Language/NAME.lng and nothing outside that folder.
bool IsPlainLanguageName(const std::string& name) {
    return !name.empty() && name != "." && name != ".." &&
           name.find_first_of("/\\") == std::string::npos;
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
        } else if (a.size() > 1 && a[0] == '-' && !std::isdigit(static_cast<unsigned char>(a[1])) &&
                   a[1] != '$' && a[1] != '%') {
            fail("unknown option " + a);  // "-5" and "-$A" are counts, "-x" is not
        } else if (o.cycles) {
            fail("more than one cycle count");
        } else {
            o.cycles = a;
        }
    }
    if (!r.error.empty() || o.help)
        return r;

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
    if (o.countFile && o.wTimes)
        fail("--count reads a routine as it is; --w-times writes one");
    if (o.enteringW && !o.countFile)
        fail("--w goes with --count");
    if (o.enteringW && EnteringW(*o.enteringW) < 0)
        fail("--w is a number from 0 to 255");
    return r;
}
