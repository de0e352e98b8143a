// Generated blocks assembled by gpasm and timed by gpsim's cycle counter: the real tools, not
// our own model of them. Many blocks share one program, each ending on a breakpoint label; a
// subroutine is timed from before its call to the instruction after the call.
// Linux only: the tools run through a POSIX shell.
#ifndef _WIN32
#include <gtest/gtest.h>

#include <cctype>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <random>
#include <sstream>

#include "engine/delay_answer.h"
#include "engine/delay_code_text.h"
#include "engine/delay_subroutine.h"
#include "engine/plan_delay.h"
#include "engine/w_times_routine.h"

namespace fs = std::filesystem;

namespace {

bool OnPath(const std::string& tool) {
    const char* path = std::getenv("PATH");
    std::stringstream dirs(path ? path : "");
    std::string dir;
    while (std::getline(dirs, dir, ':')) {
        if (!dir.empty() && fs::exists(fs::path(dir) / tool))
            return true;
    }
    return false;
}

struct TempDir {
    TempDir() {
        std::random_device rd;
        path = fs::temp_directory_path() / ("loopsmith-gpsim-" + std::to_string(rd()));
        fs::create_directories(path);
    }
    ~TempDir() {
        std::error_code ec;
        fs::remove_all(path, ec);
    }
    fs::path path;
};

struct Part {
    const char* name;  // gpasm's "list p=" name
    const char* include;
    const char* config;
    bool pic18;
};

const Part kPart16{"16f628a", "p16f628a.inc", "        __CONFIG _WDT_OFF & _LVP_OFF & _XT_OSC",
                   false};
const Part kPart18{"18f452", "p18f452.inc", "        CONFIG WDT = OFF, LVP = OFF, OSC = XT", true};

struct Request {
    std::int64_t delay;
    Variant variant;
    Profile profile;
    bool subroutine = false;  // called as "Sub<n>", the delay counting the call and the return
    // Not empty: a W-times routine of unit `delay`, called once with each n (256 as W = 0).
    std::vector<int> wTimes;
    // The text declares its registers, as the option writes it, instead of the program's equs.
    bool declared = false;
};

// The text the window and loopsmith-cli write for a request, declarations and all.
std::string AnsweredText(const Request& r, const std::string& name) {
    const DelayForm form = !r.wTimes.empty() ? DelayForm::WTimes
                           : r.subroutine    ? DelayForm::Subroutine
                                             : DelayForm::Block;
    const DelayAnswer a = AnswerCycles(r.delay, r.variant, nullptr, &r.profile,
                                       DefaultMessageTexts(), true, "\r\n", {form, name, true});
    EXPECT_FALSE(a.message) << a.message->text;
    return a.code;
}

// The cycles each timed piece must take: a W-times routine's calls one by one.
std::vector<std::int64_t> Wanted(const std::vector<Request>& requests) {
    std::vector<std::int64_t> out;
    for (const Request& r : requests) {
        if (r.wTimes.empty())
            out.push_back(r.delay);
        for (int n : r.wTimes)
            out.push_back(n * r.delay + kWTimesOverhead);
    }
    return out;
}

std::string ReadFile(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// The first line of gpasm's output that is an error or warning or names a register; "" when
// none (PIC18 classic text draws messages about default destinations and access bits).
std::string RegisterComplaint(const std::string& out) {
    std::stringstream lines(out);
    std::string line;
    while (std::getline(lines, line)) {
        if (line.find("Error") != std::string::npos || line.find("Warning") != std::string::npos ||
            line.find("Reg_") != std::string::npos)
            return line;
    }
    return {};
}

// Cycle counts of the blocks as gpsim measures them, in order; empty on a tool failure
// (reported through the test).
std::vector<std::int64_t> Simulate(const Part& part, const std::vector<Request>& requests) {
    TempDir dir;
    const MessageTexts texts = DefaultMessageTexts();
    std::ostringstream src, cmd;
    src << "        list p=" << part.name << "\r\n        #include <" << part.include << ">\r\n"
        << part.config << "\r\n";
    for (int k = 1; k <= 8 && !requests.front().declared; ++k)
        src << "Reg_" << k << " equ 0x" << std::hex << 0x20 + k - 1 << std::dec << "\r\n";
    if (std::any_of(requests.begin(), requests.end(),
                    [](const Request& r) { return r.profile.Syntax == kSyntaxCurrent; })) {
        // What the current assembler has built in; classic text means the same under it.
        src << "        radix dec\r\nf equ 1\r\nw equ 0\r\n";
        if (part.pic18)
            src << "c equ 0\r\nb equ 1\r\n";
    }
    src << "        org 0\r\n";
    std::string subroutines;
    // Each timed piece runs from the mark before it (the previous end, or a start mark right
    // before a call that follows its movlw) to its end mark.
    std::vector<bool> ownStart;
    int piece = 0;
    auto endMark = [&](const std::string& mark, bool last) {
        if (!last) {
            src << mark << "\r\n";
        } else {
            src << mark << "  " << (part.pic18 ? "bra " : "goto ") << mark << "\r\n";
        }
        cmd << "break e " << mark << "\n";
    };
    for (std::size_t i = 0; i < requests.size(); ++i) {
        const Request& r = requests[i];
        const std::string n = std::to_string(i + 1);
        if (!r.wTimes.empty()) {
            const auto unit = PlanWTimes(r.delay, r.variant);
            if (!unit) {
                ADD_FAILURE() << "no W-times plan for " << r.delay;
                return {};
            }
            subroutines += r.declared
                               ? AnsweredText(r, "W" + n)
                               : WTimesRoutineText(*unit, r.profile, "W" + n, texts, nullptr);
            for (std::size_t k = 0; k < r.wTimes.size(); ++k) {
                const std::string call = n + "_" + std::to_string(k + 1);
                src << "            movlw       D'" << (r.wTimes[k] & 0xFF) << "'\r\n";
                src << "S" << call << "  call        W" << n << "\r\n";
                cmd << "break e S" << call << "\n";
                ++piece;
                endMark("B" + call, i + 1 == requests.size() && k + 1 == r.wTimes.size());
                ownStart.push_back(true);
            }
            continue;
        }
        const auto plan =
            r.subroutine ? PlanSubroutine(r.delay, r.variant) : PlanDelay(r.delay, r.variant);
        if (!plan) {
            ADD_FAILURE() << "no plan for " << r.delay;
            return {};
        }
        if (r.subroutine) {
            src << "            call        Sub" << n << "\r\n";
            subroutines += r.declared ? AnsweredText(r, "Sub" + n)
                                      : DelaySubroutineText(*plan, r.profile, "Sub" + n, texts,
                                                            "; call and return included", nullptr);
        } else {
            src << (r.declared ? AnsweredText(r, "")
                               : DelayCodeText(*plan, r.profile, texts, nullptr));
        }
        ++piece;
        endMark("B" + n, i + 1 == requests.size());
        ownStart.push_back(false);
    }
    src << subroutines << "        end\r\n";
    const std::size_t breaks = ownStart.size() + std::count(ownStart.begin(), ownStart.end(), true);
    for (std::size_t i = 0; i < breaks; ++i)
        cmd << "run\ncycles\n";
    cmd << "quit\n";

    { std::ofstream(dir.path / "blocks.asm", std::ios::binary) << src.str(); }
    { std::ofstream(dir.path / "run.stc") << cmd.str(); }
    const std::string d = dir.path.string();
    const std::string assemble = "cd '" + d + "' && gpasm blocks.asm > gpasm.out 2>&1";
    if (std::system(assemble.c_str()) != 0) {
        ADD_FAILURE() << "gpasm failed:\n" << ReadFile(dir.path / "gpasm.out");
        return {};
    }
    if (requests.front().declared) {
        EXPECT_EQ(RegisterComplaint(ReadFile(dir.path / "gpasm.out")), "");
    }
    const std::string simulate =
        "cd '" + d + "' && gpsim -i -c run.stc -s blocks.cod > gpsim.out 2>&1";
    if (std::system(simulate.c_str()) != 0) {
        ADD_FAILURE() << "gpsim failed:\n" << ReadFile(dir.path / "gpsim.out");
        return {};
    }
    const std::string out = ReadFile(dir.path / "gpsim.out");
    // Each reading of the counter: "<decimal> = 0x<hex>".
    std::vector<std::int64_t> marks;
    for (auto at = out.find(" = 0x"); at != std::string::npos; at = out.find(" = 0x", at + 1)) {
        const auto digits = out.find_last_not_of("0123456789", at - 1) + 1;  // npos + 1 is 0
        if (digits < at && std::isxdigit(static_cast<unsigned char>(out[at + 5])))
            marks.push_back(std::stoll(out.substr(digits, at - digits)));
    }
    if (marks.size() != breaks) {
        ADD_FAILURE() << "expected " << breaks << " counter readings:\n" << out;
        return {};
    }
    std::vector<std::int64_t> timed;
    std::size_t m = 0;
    for (bool own : ownStart) {
        const std::int64_t start = own ? marks[m++] : (m > 0 ? marks[m - 1] : 0);
        timed.push_back(marks[m++] - start);
    }
    return timed;
}

class Gpsim : public ::testing::Test {
  protected:
    std::size_t timedCalls_ = 0;

    void SetUp() override {
        if (!OnPath("gpasm") || !OnPath("gpsim")) {
            GTEST_SKIP() << "gpasm and gpsim (Debian packages gputils, gpsim) are not on PATH";
        }
    }

    // Runs the requests in programs of at most `perProgram` blocks (a PIC16 part has 2K words).
    void Expect(const Part& part, const std::vector<Request>& all, std::size_t perProgram) {
        for (std::size_t first = 0; first < all.size(); first += perProgram) {
            const std::vector<Request> some(all.begin() + first,
                                            all.begin() + std::min(all.size(), first + perProgram));
            const std::vector<std::int64_t> measured = Simulate(part, some);
            if (measured.empty())
                return;
            const std::vector<std::int64_t> wanted = Wanted(some);
            ASSERT_EQ(measured.size(), wanted.size());
            std::size_t piece = 0;
            for (const Request& r : some) {
                for (std::size_t k = 0; k < std::max<std::size_t>(1, r.wTimes.size()); ++k) {
                    EXPECT_EQ(measured[piece], wanted[piece])
                        << r.profile.Name << " " << r.profile.Label
                        << (r.variant == Variant::Watchdog ? " wdt" : "")
                        << (r.subroutine ? " subroutine" : "")
                        << (r.wTimes.empty() ? ""
                                             : " U " + std::to_string(r.delay) + " n " +
                                                   std::to_string(r.wTimes[k]));
                    ++piece;
                }
            }
            timedCalls_ += piece;
        }
    }
};

// Small and boundary delays, the short-remainder ranges, four-register delays up to a hundred
// million cycles, and a random spread.
std::vector<std::int64_t> Delays(Variant v, int seed) {
    std::vector<std::int64_t> d = {5,       6,        10,       770,      771,      772,    773,
                                   777,     778,      779,      780,      1542,     1546,   1547,
                                   1548,    197133,   197134,   197390,   197391,   200000, 394244,
                                   394255,  394756,   394768,   591366,   591377,   592134, 592146,
                                   1000000, 50463250, 50528787, 23456789, 100926483};
    if (v == Variant::Plain)
        d.push_back(4);
    std::mt19937_64 rng(seed);
    std::uniform_real_distribution<double> exponent(std::log(6.0), std::log(3.0e6));
    for (int i = 0; i < 40; ++i)
        d.push_back(static_cast<std::int64_t>(std::exp(exponent(rng))));
    return d;
}

// Half the blocks with relative jumps, half with a label of their own (labels must differ
// within one program); on PIC18 every other labelled block has BANKED registers.
Profile BlockProfile(const Part& part, int i) {
    const int family = part.pic18 ? kFamilyPic18 : kFamilyPic16;
    if (i % 2 != 0)
        return MakeProfile("relative", "$", family);
    Profile p = MakeProfile("label", "Loop" + std::to_string(i), family);
    if (part.pic18 && i % 4 == 0) {
        for (int k = 0; k < 8; k += 2)
            p.RegType[k] = kBanked;
    }
    return p;
}

class GpsimFamily : public Gpsim, public ::testing::WithParamInterface<const Part*> {};

TEST_P(GpsimFamily, EveryBlockTakesItsDelay) {
    const Part& part = *GetParam();
    std::vector<Request> r;
    int i = 0;
    for (Variant v : {Variant::Plain, Variant::Watchdog}) {
        for (std::int64_t d : Delays(v, v == Variant::Plain ? 1 : 2)) {
            ++i;
            const Profile p = BlockProfile(part, i);
            r.push_back({d, v, p, false, {}});
        }
    }
    Expect(part, r, part.pic18 ? 500 : 40);
}

// Declarations before the code, as the option writes them: a cblock at the family's address in
// an absolute program, timed; the relocatable sections assembled into an object.
TEST_P(GpsimFamily, DeclaredRegistersAssembleAndChangeNoCycle) {
    const Part& part = *GetParam();
    std::vector<Request> r;
    int i = 0;
    for (Variant v : {Variant::Plain, Variant::Watchdog}) {
        for (bool relative : {false, true}) {
            for (int form = 0; form < 3; ++form) {
                ++i;
                const Profile p = BlockProfile(part, relative ? 1 : 2 * i);
                r.push_back({(form == 1 ? 20000 : 700) + i, v, p, form == 1,
                             form == 2 ? std::vector<int>{1, 3, 256} : std::vector<int>{}, true});
            }
        }
    }
    Expect(part, r, 40);
    for (Request& q : r) {
        q.profile.DataAddress = "udata";
        TempDir dir;
        std::ofstream(dir.path / "r.asm", std::ios::binary)
            << "        list p=" << part.name << "\r\n        #include <" << part.include << ">\r\n"
            << AnsweredText(q, "Routine") << "        end\r\n";
        const std::string d = dir.path.string();
        EXPECT_EQ(std::system(("cd '" + d + "' && gpasm -c r.asm > gpasm.out 2>&1").c_str()), 0);
        EXPECT_EQ(RegisterComplaint(ReadFile(dir.path / "gpasm.out")), "");
    }
}

INSTANTIATE_TEST_SUITE_P(Parts, GpsimFamily, ::testing::Values(&kPart16, &kPart18));

// Up to some millions of cycles, so that these programs run in a few seconds: the small and
// boundary delays and a random spread.
std::vector<std::int64_t> ShortDelays(Variant v, int seed) {
    std::vector<std::int64_t> d = {SmallestSubroutineDelay(v)};
    for (std::int64_t x : Delays(v, seed)) {
        if (x <= 3000000)
            d.push_back(x);
    }
    return d;
}

// Blocks for the current assembler and delay subroutines in both syntaxes: labels and "$",
// BANKED registers on PIC18 as above.
class GpsimCurrentAndSubroutine : public Gpsim,
                                  public ::testing::WithParamInterface<const Part*> {};

TEST_P(GpsimCurrentAndSubroutine, EveryBlockTakesItsDelay) {
    const Part& part = *GetParam();
    std::vector<Request> current, subClassic, subCurrent;
    int i = 0;
    for (Variant v : {Variant::Plain, Variant::Watchdog}) {
        for (std::int64_t d : ShortDelays(v, v == Variant::Plain ? 3 : 4)) {
            ++i;
            const Profile p = BlockProfile(part, i);
            Profile c = p;
            c.Syntax = kSyntaxCurrent;
            current.push_back({d, v, c, false, {}});
            if (d >= SmallestSubroutineDelay(v))
                (i % 3 == 0 ? subClassic : subCurrent)
                    .push_back({d, v, i % 3 == 0 ? p : c, true, {}});
        }
    }
    const std::size_t perProgram = part.pic18 ? 500 : 40;
    Expect(part, current, perProgram);
    Expect(part, subClassic, perProgram);
    Expect(part, subCurrent, perProgram);
}

INSTANTIATE_TEST_SUITE_P(Parts, GpsimCurrentAndSubroutine, ::testing::Values(&kPart16, &kPart18));

// W-times routines in both syntaxes and variants, with a label and with "$": units from the
// smallest to 1 s at 20 MHz, each called with n = 1, 2, 3, 17, 128, 255 and W = 0 where the
// simulated time allows (a million cycles take gpsim some 30 ms).
class GpsimWTimes : public Gpsim, public ::testing::WithParamInterface<const Part*> {};

TEST_P(GpsimWTimes, EveryCallTakesNUnitsAndTheOverhead) {
    const Part& part = *GetParam();
    const std::vector<int> every = {1, 2, 3, 17, 128, 255, 256};
    std::vector<Request> r;
    int i = 0;
    for (Variant v : {Variant::Plain, Variant::Watchdog}) {
        for (int syntax : {kSyntaxClassic, kSyntaxCurrent}) {
            for (bool relative : {false, true}) {
                const std::vector<std::pair<std::int64_t, std::vector<int>>> units = {
                    {SmallestWTimesUnit(v), every},
                    {SmallestWTimesUnit(v) + 1, every},
                    {23, every},
                    {770, every},
                    {1000, every},
                    {20000, every},
                    {5000000, {1, 2}}};
                for (const auto& [unit, ns] : units) {
                    ++i;
                    Profile p = BlockProfile(part, relative ? 1 : 2 * i);
                    p.Syntax = syntax;
                    if (part.pic18 && i % 3 == 0)
                        p.RegType[WTimesCounter(*PlanWTimes(unit, v)) - 1] = kBanked;
                    r.push_back({unit, v, p, false, ns});
                }
            }
        }
    }
    Expect(part, r, 14);
    std::cout << "[ timed    ] " << r.size() << " W-times routines, " << timedCalls_ << " calls\n";
}

INSTANTIATE_TEST_SUITE_P(Parts, GpsimWTimes, ::testing::Values(&kPart16, &kPart18));

}  // namespace

#endif  // _WIN32
