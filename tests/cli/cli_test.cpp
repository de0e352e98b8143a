// loopsmith-cli as a user runs it: the built binary, real files in a fresh folder, and the
// text the window's own path puts into the output box for the same inputs.
#include <gtest/gtest.h>
#ifndef _WIN32
#include <sys/stat.h>
#include <sys/wait.h>
#endif

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <random>

#include "app/app_state.h"
#include "app/calculator_mode.h"
#include "app/delay_page.h"
#include "app/event_loop.h"
#include "app/gadget_ids.h"
#include "app/main_window_layout.h"
#include "app/profile_gadget.h"
#include "helpers/child_process.h"
#include "helpers/memory_gadgets.h"
#include "i18n/language_file.h"
#include "store/file_platform.h"
#include "store/key_value_text.h"
#include "store/profile_store.h"

namespace fs = std::filesystem;
using namespace gadget;

namespace {

std::string ReadFile(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void WriteFile(const fs::path& p, const std::string& bytes) {
    std::ofstream(p, std::ios::binary) << bytes;
}

#ifdef _WIN32
// cmd.exe: no argument here holds a double quote; the whole line is quoted once more because
// cmd /c takes off the outer pair.
std::string Quoted(const std::string& s) {
    return "\"" + s + "\"";
}
std::string CommandLine(const std::string& line) {
    return Quoted(line);
}
int ExitCode(int status) {
    return status;
}
#else
std::string Quoted(const std::string& s) {
    return "'" + s + "'";
}
std::string CommandLine(const std::string& line) {
    return line;
}
int ExitCode(int status) {
    return WEXITSTATUS(status);
}
#endif

struct CliRun {
    int code;
    std::string out, err;
};

class Cli : public ::testing::Test {
  protected:
    Cli() {
        std::random_device rd;
        dir_ = fs::temp_directory_path() /
               ("loopsmith-cli-" + std::to_string(rd()) + std::to_string(rd()));
        fs::create_directories(dir_);
        WriteFile(dir_ / "none.ini", "");
    }
    ~Cli() override {
        std::error_code ec;
        fs::remove_all(dir_, ec);
    }

    // Arguments are passed quoted to the shell. Without --settings, an empty settings file, so
    // that one left beside the binary changes nothing.
    CliRun Invoke(const std::vector<std::string>& args, const std::string& input = "") {
        std::string cmd = Quoted(testing_files::BuiltProgram("loopsmith-cli").string());
        for (const std::string& a : args)
            cmd += " " + Quoted(a);
        if (std::find(args.begin(), args.end(), "--settings") == args.end()) {
            cmd += " --settings " + Quoted((dir_ / "none.ini").string());
        }
        WriteFile(dir_ / "stdin", input);
        cmd += " < " + Quoted((dir_ / "stdin").string()) + " > " +
               Quoted((dir_ / "stdout").string()) + " 2> " + Quoted((dir_ / "stderr").string());
        // No output of an earlier run may pass for this one's. Under wine a start of the shell
        // now and then fails before any redirection is made, or the shell fails to start the
        // program (its "not recognized", 9009, never an exit of ours): then it starts again.
        constexpr int kShellCouldNotStart = 9009;
        int status = 0;
        for (int attempt = 0; attempt < 3; ++attempt) {
            fs::remove(dir_ / "stdout");
            fs::remove(dir_ / "stderr");
            status = std::system(CommandLine(cmd).c_str());
            if (fs::exists(dir_ / "stdout") && ExitCode(status) != kShellCouldNotStart)
                break;
        }
        return {ExitCode(status), ReadFile(dir_ / "stdout"), ReadFile(dir_ / "stderr")};
    }

    // What the window puts into its output box, with the built-in profiles (or `profiles`).
    static std::string Window(const std::string& cycles, bool wdt, int profile,
                              const ProfileList* profiles = nullptr, bool declare = false) {
        ui::MemoryGadgets g(MainWindowLayout());
        AppState app(g, ".", PortableLocations("."));
        if (profiles) {
            app.profiles = *profiles;
        } else {
            AddDefaultProfiles(app.profiles);
        }
        FillProfileGadget(g, app.profiles, kProfileCombo, profile);
        g.SetState(kWatchdogCheck, wdt ? 1 : 0);
        g.SetState(kDeclareCheck, declare ? 1 : 0);
        g.SetText(kCyclesField, cycles);
        CalculationRequest(app);
        EXPECT_TRUE(g.Messages().empty());
        return g.Text(kOutputBox);
    }

    fs::path dir_;
};

TEST_F(Cli, CodeIsTheWindowsTextForEveryProfileAndVariant) {
    for (const char* cycles :
         {"4", "1546", "1000000", "$FFFF", "%101010101010", "394255", "9223372036854775800"}) {
        for (bool wdt : {false, true}) {
            for (int profile : {0, 1}) {
                std::vector<std::string> args = {cycles};
                if (wdt)
                    args.push_back("--wdt");
                if (profile == 1)
                    args.insert(args.end(), {"--profile", "Default PIC18"});
                const CliRun r = Invoke(args);
                SCOPED_TRACE(std::string(cycles) + (wdt ? " wdt" : "") + " profile " +
                             std::to_string(profile));
                if (std::string(cycles) == "4" && wdt) {
                    EXPECT_EQ(r.code, 1);
                    continue;
                }
                EXPECT_EQ(r.code, 0) << r.err;
                EXPECT_EQ(r.out, Window(cycles, wdt, profile));
                EXPECT_EQ(r.err, "");
            }
        }
    }
    EXPECT_EQ(ReadFile(dir_ / "none.ini"), "");  // never written
}

TEST_F(Cli, CalculatorHeaderCarriesTheTextsAsGiven) {
    const CliRun r =
        Invoke({"--time", "1.50", "--time-unit", "ms", "--freq", "32.768", "--freq-unit", "kHz"});
    EXPECT_EQ(r.code, 0) << r.err;
    EXPECT_EQ(r.out.substr(0, r.out.find("            movlw")),
              "; Задержка 12 машинных циклов\r\n"
              "; Длительность задержки 1.50 миллисекунд\r\n"
              "; Фактическая длительность 1.46484375 миллисекунд, погрешность -2.34%\r\n"
              "; Частота задающего генератора 32.768 кГц\r\n\r\n");
}

TEST_F(Cli, MessagesGoToStandardErrorWithExitOne) {
    struct Case {
        std::vector<std::string> args;
        std::string err;
    } cases[] = {
        {{"-5"}, "Длительность задержки должна быть в диапазоне  4...9.223.372.036.854.775.800\n"},
        {{"3"}, "Длительность задержки должна быть в диапазоне  4...9.223.372.036.854.775.800\n"},
        {{"4", "--wdt"},
         "Длительность задержки должна быть в диапазоне  5...9.223.372.036.854.775.800\n"},
        {{"$10000000000000005"},
         "Длительность задержки должна быть в диапазоне  4...9.223.372.036.854.775.800\n"},
        {{"9223372036854775808"},
         "Длительность задержки должна быть в диапазоне  4...9.223.372.036.854.775.800\n"},
        {{"--time", "0.1", "--freq", "4"},
         "При данной частоте \"кварца\" получить такую задержку НЕВОЗМОЖНО!\n"},
        {{"--time", "", "--freq", "4"}, "В поле \"Время:\" отсутствуют данные\n"},
        {{"--time", "999999999999999999", "--time-unit", "d", "--freq", "999999999999999999"},
         "Задана слишком большая задержка!\n"},
        {{"5", "--language", "klingon"},
         "Отсутствует языковой файл \"klingon.lng\"\n\nNot language file  \"klingon.lng\"\n"},
    };
    for (const Case& c : cases) {
        const CliRun r = Invoke(c.args);
        EXPECT_EQ(r.code, 1) << c.args[0];
        EXPECT_EQ(r.err, c.err) << c.args[0];
        EXPECT_EQ(r.out, "");
    }
}

TEST_F(Cli, UsageErrorsAreOneLineWithExitTwo) {
    for (const std::vector<std::string>& args :
         std::vector<std::vector<std::string>>{{"--bogus", "10"},
                                               {"-x", "10"},
                                               {"10", "--profile"},
                                               {},
                                               {"10", "20"},
                                               {"10", "--time", "1", "--freq", "4"},
                                               {"--time", "1"},
                                               {"--time", "1", "--freq", "4", "--freq-unit", "GHz"},
                                               {"10", "--profile", "No such profile"},
                                               {"10", "--language", "../x"},
                                               {"10", "--language", "/x"},
                                               {"10", "--language", "a\\b"},
                                               {"10", "--language", ".."},
                                               {"10", "--language", ""},
                                               {"25e3"},
                                               {"10_000"},
                                               {"--time", "10ms", "--freq", "4"},
                                               {"--time", "1", "--freq", "-4"},
                                               {"--time", "1,5.2", "--freq", "4"},
                                               {"100", "--subroutine", "end"},
                                               {"100", "--w-times", "Org"},
                                               {"10", "--link", "--plan"}}) {
        const CliRun r = Invoke(args);
        EXPECT_EQ(r.code, 2) << (args.empty() ? "" : args[0]);
        EXPECT_EQ(std::count(r.err.begin(), r.err.end(), '\n'), 1) << r.err;
        EXPECT_EQ(r.out, "");
    }
    // A named settings file must be a regular file that can be read; a FIFO is not waited on.
    std::vector<std::vector<std::string>> unreadable = {
        {"10", "--settings", (dir_ / "missing.ini").string()},
        {"10", "--settings", dir_.string()},
        {"--count", dir_.string()}};
    std::string many;
    for (std::size_t i = 0; i <= kv::kMaxGroups; ++i)
        many += "[g" + std::to_string(i) + "]\n";
    WriteFile(dir_ / "many.ini", many);
    unreadable.push_back({"10", "--settings", (dir_ / "many.ini").string()});
#ifndef _WIN32
    ASSERT_EQ(::mkfifo((dir_ / "fifo").c_str(), 0600), 0);
    unreadable.push_back({"10", "--settings", (dir_ / "fifo").string()});
    unreadable.push_back({"--count", (dir_ / "fifo").string()});
#endif
    for (const std::vector<std::string>& args : unreadable) {
        const auto start = std::chrono::steady_clock::now();
        const CliRun r = Invoke(args);
        // A wait on the FIFO would never end; this bound only tells that from a slow machine.
        EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(20))
            << args.back();
        EXPECT_EQ(r.code, 2) << args.back();
        EXPECT_EQ(std::count(r.err.begin(), r.err.end(), '\n'), 1) << r.err;
    }
    // Dots inside a name are no folder part.
    const CliRun dots = Invoke({"10", "--language", "my..lang"});
    EXPECT_EQ(dots.code, 1);
    EXPECT_NE(dots.err.find("\"my..lang.lng\""), std::string::npos) << dots.err;
    const CliRun help = Invoke({"--help"});
    EXPECT_EQ(help.code, 0);
    EXPECT_NE(help.out.find("--batch"), std::string::npos);
}

TEST_F(Cli, ProfilesComeFromTheSettingsFile) {
    const std::string ini =
        "\xEF\xBB\xBF\r\n[Window]\r\nNumberProf = 0\r\n[Mine]\r\nReg1 = CntA\r\nReg2 = CntB\r\n"
        "Label = Wait\r\nTypePIC = 1\r\nRegType1 = 1\r\n";
    WriteFile(dir_ / "Loopsmith.ini", ini);
    const CliRun r =
        Invoke({"1546", "--settings", (dir_ / "Loopsmith.ini").string(), "--profile", "Mine"});
    EXPECT_EQ(r.code, 0) << r.err;
    const ProfileList fromFile = ReadStoredSettings(dir_ / "Loopsmith.ini").profiles;
    ASSERT_EQ(fromFile.size(), 1u);
    EXPECT_EQ(r.out, Window("1546", false, 0, &fromFile));
    EXPECT_NE(r.out.find("Wait        decfsz      CntA,F,1\r\n"), std::string::npos) << r.out;
    EXPECT_EQ(ReadFile(dir_ / "Loopsmith.ini"), ini);
}

TEST_F(Cli, ASettingsFileThatAWriterHoldsIsReadWithoutWaitingAndLeftAlone) {
    const fs::path ini = dir_ / "Loopsmith.ini";
    WriteFile(ini, "\xEF\xBB\xBF\r\n[Mine]\r\nLabel = Held\r\n");
    // The window's own writer: open for writing and locked.
    std::optional<fileio::FileHandle> writer = fileio::FileHandle::OpenExisting(ini);
    ASSERT_TRUE(writer && writer->Writable());
    const fs::file_time_type written = fs::last_write_time(ini);
#ifndef _WIN32
    struct stat before {};
    ::stat(ini.c_str(), &before);
#endif
    const CliRun r = Invoke({"10", "--settings", ini.string()});
#ifndef _WIN32
    struct stat after {};
    ::stat(ini.c_str(), &after);
    EXPECT_EQ(before.st_ctim.tv_sec, after.st_ctim.tv_sec);
    EXPECT_EQ(before.st_ctim.tv_nsec, after.st_ctim.tv_nsec);
#endif
    EXPECT_EQ(fs::last_write_time(ini), written);
    writer.reset();
    EXPECT_EQ(r.code, 0) << r.err;
    EXPECT_NE(r.out.find("Held        decfsz"), std::string::npos) << r.out;
    EXPECT_EQ(ReadFile(ini), "\xEF\xBB\xBF\r\n[Mine]\r\nLabel = Held\r\n");
}

// --declare writes what the window writes with its box ticked, and the interpreter reads past
// the declarations; "--count -" counts what it is given; --version names the build's version.
TEST_F(Cli, DeclarationsCountFromStandardInputAndVersion) {
    const CliRun declared =
        Invoke({"200000", "--declare", "--verify", "--profile", "Default PIC18"});
    EXPECT_EQ(declared.code, 0) << declared.err;
    EXPECT_EQ(declared.out, Window("200000", false, 1, nullptr, true));
    EXPECT_EQ(declared.out.substr(0, declared.out.find("\r\n\r\n")),
              "            cblock      0x00\r\n            Reg_1\r\n            Reg_2\r\n"
              "            Reg_3\r\n            endc");
    EXPECT_EQ(Invoke({"--count", "-"}, declared.out).out, "200000\n");
    EXPECT_EQ(Invoke({"--version"}).out,
              "loopsmith-cli " + std::string(kWindowTitle).substr(12) + "\n");
}

TEST_F(Cli, LinkOfARequestThatGivesCode) {
    const CliRun r = Invoke({"--link", "--wdt", "--time", "10", "--time-unit", "ms", "--freq", "4",
                             "--subroutine", "Delay"});
    EXPECT_EQ(r.code, 0);
    EXPECT_EQ(r.out,
              "#time=10&time-unit=ms&freq=4&freq-unit=MHz&wdt=1&profile=Default%20PIC10%2C%20PIC12"
              "%2C%20PIC16&form=subroutine&name=Delay&declare=0&syntax=classic\r\n");
    EXPECT_EQ(Invoke({"--link", "3"}).code, 1);  // out of range: no code, so no link
}

// A link is the whole request: opened, it gives the code that made it, byte for byte; a
// request whose link the page would refuse gets no link at all.
TEST_F(Cli, ALinkOpensAsTheCodeThatMadeIt) {
    using Args = std::vector<std::string>;
    const Args requests[] = {
        {"1000", "--declare", "--syntax", "current"},
        {"$3E8", "--wdt", "--profile", "Default PIC18", "--declare"},
        {"--time", "2,5", "--time-unit", "ms", "--freq", "4", "--syntax", "current"},
        {"--time", ".5", "--time-unit", "s", "--freq", "3,6864", "--w-times", "Wait"},
        {"--time", "9072", "--time-unit", "h", "--freq", "1034,4", "--subroutine", "D"},
        {"0000000000000000000000000000000000000000000000000000000000000001000"},
    };
    for (const Args& request : requests) {
        Args linked = request;
        linked.push_back("--link");
        const CliRun link = Invoke(linked);
        ASSERT_EQ(link.code, 0) << link.err;
        const CliRun opened = Invoke({"--from-link", link.out.substr(0, link.out.size() - 2)});
        EXPECT_EQ(opened.code, 0) << opened.err;
        EXPECT_EQ(opened.out, Invoke(request).out) << link.out;
    }
    const CliRun tooLong = Invoke({"--link", std::string(2100, '0') + "1000"});
    EXPECT_EQ(tooLong.code, 2);
    EXPECT_EQ(std::count(tooLong.err.begin(), tooLong.err.end(), '\n'), 1) << tooLong.err;
    const CliRun junk = Invoke({"--from-link", "#cycles=1000abc"});
    EXPECT_EQ(junk.code, 2);
    // Two groups of one name: the first, as the window's list and the page's link find it.
    const fs::path ini = dir_ / "Dup.ini";
    WriteFile(ini, "[Dup]\r\nLabel = First\r\n[Dup]\r\nLabel = Second\r\n");
    for (const Args& args :
         {Args{"10", "--profile", "Dup"}, Args{"--from-link", "cycles=10&profile=Dup"}}) {
        Args withFile = args;
        withFile.insert(withFile.end(), {"--settings", ini.string()});
        EXPECT_NE(Invoke(withFile).out.find("First       decfsz"), std::string::npos);
    }
    EXPECT_EQ(Invoke({"--from-link", "#cycles=5", "--wdt"}).code, 2);  // the link says it all
}

TEST_F(Cli, PlanLineAndLineFeeds) {
    const CliRun plan = Invoke({"1000000", "--plan"});
    EXPECT_EQ(plan.code, 0);
    EXPECT_EQ(plan.out,
              "{\"delayCycles\":1000000,\"registerCount\":3,\"loopCounts\":[173,19,6],"
              "\"tailNops\":2,\"extraNop\":0,\"clearWatchdog\":0,\"form\":\"block\"}\r\n");
    const CliRun lf = Invoke({"1548", "--wdt", "--lf"});
    std::string expected = Window("1548", true, 0);
    std::erase(expected, '\r');
    EXPECT_EQ(lf.out, expected);
}

TEST_F(Cli, VerifyRunsTheCode) {
    const CliRun r =
        Invoke({"9223372036854775800", "--verify", "--wdt", "--profile", "Default PIC18"});
    EXPECT_EQ(r.code, 0);
    EXPECT_EQ(r.err, "verified: 9223372036854775800 cycles\n");
    const CliRun calc =
        Invoke({"--verify", "--time", "1", "--time-unit", "min", "--freq", "3.579545"});
    EXPECT_EQ(calc.code, 0);
    EXPECT_EQ(calc.err, "verified: 53693175 cycles\n");
}

// Both syntaxes, inline and as a subroutine, both families and variants: the interpreter runs
// every text, and --count reads it back the same.
TEST_F(Cli, SyntaxAndSubroutineVerifyOverTheRange) {
    const char* counts[] = {
        "9",        "10",         "771",          "772",          "197127",
        "50462980", "1000000007", "258314208513", "$FFFFFFFFFFF", "9223372036854775804"};
    for (const char* cycles : counts) {
        for (const char* profile : {"Default PIC10, PIC12, PIC16", "Default PIC18"}) {
            for (const std::vector<std::string>& form :
                 {std::vector<std::string>{"--syntax", "current"},
                  {"--syntax", "current", "--subroutine", "Wait"},
                  {"--syntax", "classic", "--subroutine", "_d1"}}) {
                for (bool wdt : {false, true}) {
                    std::vector<std::string> args = form;
                    args.insert(args.end(), {"--profile", profile, "--verify", cycles});
                    if (wdt)
                        args.push_back("--wdt");
                    const CliRun r = Invoke(args);
                    const std::string trace = std::string(cycles) + " " + profile + " " +
                                              form.back() + (wdt ? " wdt" : "");
                    const bool inline_ = form.size() == 2;
                    if (inline_ && std::string(cycles) == "9223372036854775804") {
                        EXPECT_EQ(r.code, 1) << trace;  // beyond an inline block's range
                        continue;
                    }
                    ASSERT_EQ(r.code, 0) << trace << "\n" << r.err;
                    EXPECT_EQ(r.err.rfind("verified: ", 0), 0u) << trace;
                    WriteFile(dir_ / "block.asm", r.out);
                    const CliRun count =
                        Invoke({"--count", (dir_ / "block.asm").string(), "--syntax", form[1]});
                    EXPECT_EQ(count.out, r.err.substr(10, r.err.find(' ', 10) - 10) + "\n")
                        << trace << "\n"
                        << count.err;
                }
            }
        }
    }
}

TEST_F(Cli, SubroutineTextPlanAndRefusals) {
    const CliRun r = Invoke({"--syntax", "current", "--subroutine", "Delay14", "14"});
    EXPECT_EQ(r.code, 0) << r.err;
    EXPECT_EQ(r.out,
              "; Задержка 14 машинных циклов\r\n; включая вызов (call) и возврат (return)\r\n"
              "Delay14:\r\n            movlw       3\r\n            movwf       Reg_1\r\n"
              "            decfsz      Reg_1,f\r\n            goto        $-1\r\n"
              "            return\r\n");
    std::string block = Invoke({"--plan", "1000000"}).out;
    block.replace(block.find("block"), 5, "subroutine");
    EXPECT_EQ(Invoke({"--subroutine", "Delay14", "--plan", "1000004"}).out, block);
    // Read as classic, the bare 3 is the same number; 1000's 73 is not, and a note says so.
    WriteFile(dir_ / "d.asm", Invoke({"--syntax", "current", "--subroutine", "D", "1000"}).out);
    const CliRun hex = Invoke({"--count", (dir_ / "d.asm").string()});
    EXPECT_EQ(hex.out, "1126\n");
    EXPECT_EQ(hex.err,
              "loopsmith-cli: bare numbers were read as hexadecimal; with --syntax current "
              "(decimal) the count is 1000\n");

    const CliRun small = Invoke({"--subroutine", "D", "--wdt", "8"});
    EXPECT_EQ(small.code, 1);
    EXPECT_EQ(small.err,
              "Длительность задержки должна быть в диапазоне  9...9.223.372.036.854.775.804\n");
    for (const std::vector<std::string>& args :
         std::vector<std::vector<std::string>>{{"--subroutine", "1st", "100"},
                                               {"--subroutine", "call", "100"},
                                               {"--subroutine", "Reg_8", "100"},
                                               {"--subroutine", "c", "--syntax", "classic", "100"},
                                               {"--syntax", "pic-as", "100"},
                                               {"--batch", "--syntax", "current"},
                                               {"--count", "x.asm", "--subroutine", "D"}}) {
        const CliRun bad = Invoke(args);
        EXPECT_EQ(bad.code, 2) << args[1];
        EXPECT_EQ(std::count(bad.err.begin(), bad.err.end(), '\n'), 1) << bad.err;
        EXPECT_EQ(bad.out, "");
    }
}

// The W-times routine: the interpreter's formula over every n in both
// syntaxes, families and variants, --count with W given, and what is refused.
TEST_F(Cli, WTimesVerifyCountAndRefusals) {
    // The plan line and the code are the README's examples, run by their own test.
    for (const char* unit : {"8", "36028797018963967"}) {
        for (const char* profile : {"Default PIC10, PIC12, PIC16", "Default PIC18"}) {
            for (const char* syntax : {"classic", "current"}) {
                const CliRun r = Invoke({"--w-times", "Delay_u", "--verify", "--wdt", "--syntax",
                                         syntax, "--profile", profile, unit});
                ASSERT_EQ(r.code, 0) << unit << profile << syntax << r.err;
                EXPECT_EQ(r.err, "verified: n * " + std::string(unit) +
                                     " + 4 cycles for every n from 1 to 256 (W = 0 for 256)\n");
            }
        }
    }
    WriteFile(dir_ / "w.asm", Invoke({"--w-times", "D", "1000"}).out);
    const std::string file = (dir_ / "w.asm").string();
    EXPECT_EQ(Invoke({"--count", file, "--w", "0"}).out, "256004\n");
    EXPECT_EQ(Invoke({"--count", file, "--w", "17"}).out, "17004\n");
    EXPECT_EQ(Invoke({"--count", file}).code, 2);  // W unknown

    const CliRun small = Invoke({"--w-times", "D", "6"});
    EXPECT_EQ(small.code, 1);
    EXPECT_EQ(small.err,
              "Длительность задержки должна быть в диапазоне  7...36.028.797.018.963.967\n");
    for (const std::vector<std::string>& args :
         std::vector<std::vector<std::string>>{{"--w-times", "1st", "100"},
                                               {"--w-times", "Reg_3", "100"},
                                               {"--w-times", "D", "--subroutine", "E", "100"},
                                               {"--batch", "--w-times", "D"},
                                               {"--count", file, "--w-times", "D"},
                                               {"--count", file, "--w", "256"},
                                               {"--w", "3", "100"}}) {
        const CliRun bad = Invoke(args);
        EXPECT_EQ(bad.code, 2) << args[1];
        EXPECT_EQ(std::count(bad.err.begin(), bad.err.end(), '\n'), 1) << bad.err;
    }
}

// A current-syntax profile from a hand-edited file: --syntax overrides it either way, and a
// name pic-as cannot take gets the window's message.
TEST_F(Cli, SyntaxOfTheSettingsFileAndItsOverride) {
    const fs::path ini = dir_ / "Loopsmith.ini";
    WriteFile(ini, "\xEF\xBB\xBF\r\n[Pic-as]\r\nReg1 = Cnt 1\r\nLabel = Wait\r\nSyntax = 1\r\n");
    const CliRun refused = Invoke({"100", "--settings", ini.string()});
    EXPECT_EQ(refused.code, 1);
    EXPECT_EQ(refused.err, "\"Cnt 1\"" + DefaultMessageTexts()[Msg::Forbidden_Asm_Name] + "\n");
    const CliRun classic = Invoke({"100", "--settings", ini.string(), "--syntax", "classic"});
    EXPECT_EQ(classic.code, 0) << classic.err;
    EXPECT_NE(classic.out.find("Wait        decfsz      Cnt 1,F\r\n"), std::string::npos);

    WriteFile(ini, "\xEF\xBB\xBF\r\n[Pic-as]\r\nLabel = Wait\r\nSyntax = 1\r\n");
    EXPECT_NE(
        Invoke({"100", "--settings", ini.string()}).out.find("Wait:       decfsz      Reg_1,f"),
        std::string::npos);
}

TEST_F(Cli, CountReadsAHandEditedBlock) {
    std::string text = Window("1000000", false, 0);
    WriteFile(dir_ / "block.asm", text);
    CliRun r = Invoke({"--count", (dir_ / "block.asm").string()});
    EXPECT_EQ(r.code, 0) << r.err;
    EXPECT_EQ(r.out, "1000000\n");
    EXPECT_EQ(r.err, "");  // ".n" reads the same in either radix

    text += "            nop\r\n";  // one more by hand
    WriteFile(dir_ / "block.asm", text);
    EXPECT_EQ(Invoke({"--count", (dir_ / "block.asm").string()}).out, "1000001\n");
    std::string bareCr = text;  // lines ended by a carriage return alone
    bareCr.erase(std::remove(bareCr.begin(), bareCr.end(), '\n'), bareCr.end());
    WriteFile(dir_ / "block.asm", bareCr);
    EXPECT_EQ(Invoke({"--count", (dir_ / "block.asm").string()}).out, "1000001\n");

    WriteFile(dir_ / "bad.asm",
              "; x\r\n            movlw       .1\r\n            incf        R,F\r\n");
    r = Invoke({"--count", (dir_ / "bad.asm").string()});
    EXPECT_EQ(r.code, 2);
    EXPECT_EQ(r.err.rfind((dir_ / "bad.asm").string() + ":3: unknown instruction", 0), 0u) << r.err;

#ifdef _WIN32
    const fs::path device = "NUL";
#else
    const fs::path device = "/dev/zero";
#endif
    for (const fs::path& notABlock : {dir_ / "missing.asm", dir_, device}) {
        r = Invoke({"--count", notABlock.string()});
        EXPECT_EQ(r.code, 2) << notABlock;
        EXPECT_NE(r.err.find("is not a block"), std::string::npos) << r.err;
    }
}

TEST_F(Cli, BatchAnswersEveryLine) {
    const CliRun r = Invoke({"--batch", "--lf"},
                            "1000000\n1 ms 4 MHz\r\n3\n0.1 us 4 MHz\nfoo bar\n$10000000000000005\n"
                            "1 fortnight 4 MHz\n9223372036854775800");
    EXPECT_EQ(r.code, 0);
    EXPECT_EQ(r.out,
              "{\"delayCycles\":1000000,\"registerCount\":3,\"loopCounts\":[173,19,6],"
              "\"tailNops\":2,\"extraNop\":0,\"clearWatchdog\":0}\n"
              "{\"delayCycles\":1000,\"registerCount\":2,\"loopCounts\":[75,2],\"tailNops\":0,"
              "\"extraNop\":0,\"clearWatchdog\":0}\n"
              "{\"delayCycles\":3,\"error\":\"Длительность задержки должна быть в диапазоне  "
              "4...9.223.372.036.854.775.800\"}\n"
              "{\"error\":\"При данной частоте \\\"кварца\\\" получить такую задержку "
              "НЕВОЗМОЖНО!\"}\n"
              "{\"error\":\"not a request: a cycle count, or time, unit, frequency, unit\"}\n"
              "{\"error\":\"Длительность задержки должна быть в диапазоне  "
              "4...9.223.372.036.854.775.800\"}\n"
              "{\"error\":\"unknown time unit (us ms s min h d)\"}\n"
              "{\"delayCycles\":9223372036854775800,\"registerCount\":8,\"loopCounts\":[67,232,"
              "182,34,102,48,143,43],\"tailNops\":0,\"extraNop\":0,\"clearWatchdog\":0}\n");
    const CliRun wdt = Invoke({"--batch", "--wdt"}, "5\n");
    EXPECT_EQ(wdt.out,
              "{\"delayCycles\":5,\"registerCount\":1,\"loopCounts\":[1],\"tailNops\":0,"
              "\"extraNop\":0,\"clearWatchdog\":1}\r\n");
}

// A decimal comma is the point; a batch line that is no number, or far too long, is refused;
// output that cannot be written is no success.
TEST_F(Cli, NumbersAreWholeOrRefusedAndEveryWriteIsChecked) {
    const CliRun comma = Invoke({"--time", "1,5", "--time-unit", "ms", "--freq", "4"});
    EXPECT_EQ(comma.code, 0);
    EXPECT_EQ(comma.out, Invoke({"--time", "1.5", "--time-unit", "ms", "--freq", "4"}).out);
    const CliRun batch = Invoke({"--batch", "--lf"}, "25e3\n-1 ms -4 MHz\n1,5 ms 4 MHz\n" +
                                                         std::string(5000, '1') + "\n7\n");
    EXPECT_EQ(batch.code, 2);
    EXPECT_EQ(batch.err, "loopsmith-cli: --batch: line 4 is longer than 4096 bytes\n");
    EXPECT_EQ(std::count(batch.out.begin(), batch.out.end(), '\n'), 3) << batch.out;
    EXPECT_EQ(batch.out.find("{\"error\""), 0u);
    EXPECT_NE(batch.out.find("\"delayCycles\":1500"), std::string::npos);
#ifndef _WIN32
    const std::string program = Quoted(testing_files::BuiltProgram("loopsmith-cli").string());
    const std::string err = Quoted((dir_ / "stderr").string());
    WriteFile(dir_ / "one", "1000\n");
    const std::string one = "--batch < " + Quoted((dir_ / "one").string());
    for (const std::string& args : {std::string("1000"), std::string("--verify 1000"), one}) {
        const std::string cmd = program + " " + args + " --settings " +
                                Quoted((dir_ / "none.ini").string()) + " > /dev/full 2> " + err;
        EXPECT_EQ(ExitCode(std::system(cmd.c_str())), 4) << args;
        EXPECT_EQ(ReadFile(dir_ / "stderr"),
                  "loopsmith-cli: cannot write the output: No space left on device\n");
    }
#endif
}

#ifndef _WIN32  // ldd, and a static Windows build links no DLL of a toolkit anyway
TEST_F(Cli, LinksNoToolkit) {
    if (std::system("command -v ldd > /dev/null 2>&1") != 0)
        GTEST_SKIP() << "no ldd";
    const std::string cmd = "ldd '" + std::string(LOOPSMITH_BIN_DIR) + "/loopsmith-cli' > '" +
                            (dir_ / "ldd").string() + "' 2>&1";
    ASSERT_EQ(std::system(cmd.c_str()), 0);
    const std::string libs = ReadFile(dir_ / "ldd");
    EXPECT_NE(libs.find("libc."), std::string::npos) << libs;
    EXPECT_EQ(libs.find("libQt"), std::string::npos) << libs;
}
#endif

TEST_F(Cli, LanguageFileBesideTheProgram) {
    const fs::path folder = fs::path(LOOPSMITH_BIN_DIR) / "Language";
    if (!fs::exists(folder / "english.lng")) {
        GTEST_SKIP() << "no english.lng in the build's Language folder";
    }
    const std::string window = Window("10", false, 0);
    const std::string code = window.substr(window.find("\r\n"));
    const CliRun named = Invoke({"10", "--language", "english"});
    EXPECT_EQ(named.code, 0) << named.err;
    EXPECT_EQ(named.out, "; Delay 10 machine cycles" + code);

    // Without --language: the stored position in the folder's list, as the window starts.
    const std::vector<std::string> names = FindLanguageNames(folder);
    const auto english = std::find(names.begin(), names.end(), "english") - names.begin();
    WriteFile(dir_ / "Loopsmith.ini",
              "\xEF\xBB\xBF\r\n[Window]\r\nLanguage = " + std::to_string(english) + "\r\n");
    const CliRun stored = Invoke({"10", "--settings", (dir_ / "Loopsmith.ini").string()});
    EXPECT_EQ(stored.out, named.out);
#ifndef _WIN32  // under wine the prefix's UI language counts, not the variable
    // No stored language: the user's language file, else the "russian" one.
    const char* before = std::getenv("LC_ALL");
    const std::string saved = before ? before : "";
    setenv("LC_ALL", "en_US.UTF-8", 1);
    EXPECT_EQ(Invoke({"10"}).out, named.out);
    setenv("LC_ALL", "C", 1);
    EXPECT_EQ(Invoke({"10"}).out, window);
    before ? setenv("LC_ALL", saved.c_str(), 1) : unsetenv("LC_ALL");
#else
    EXPECT_EQ(Invoke({"10"}).out, window);  // the prefix speaks Russian
#endif
}

}  // namespace
