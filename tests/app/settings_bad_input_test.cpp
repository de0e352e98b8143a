// Settings and language files made of anything at all: the program starts, reads what it
// can, never crashes or hangs, and never writes over a file it could not read.
#include <gtest/gtest.h>
#ifndef _WIN32
#include <sys/stat.h>
#endif

#include <cctype>
#include <chrono>
#include <random>

#include "app/gadget_ids.h"
#include "app/language.h"
#include "app/settings.h"
#include "base/ascii.h"
#include "base/utf8.h"
#include "helpers/files_app_fixture.h"
#include "store/key_value_file.h"
#include "store/key_value_text.h"
#include "store/profile_store.h"

namespace {

using namespace testing_files;
using namespace gadget;
namespace fs = std::filesystem;

bool ValidUtf8(const std::string& s) {
    return base::SanitizeUtf8(s) == s && s.find('\0') == std::string::npos;
}

// The large files are made when their test runs: every start of the program registers these
// cases, and most starts run none of them.
struct BadFile {
    const char* what;
    std::string bytes;
    std::string (*make)() = nullptr;
    std::string Bytes() const { return make ? make() : bytes; }
};

std::string Random64k() {
    std::mt19937 random(5);
    std::string out(65536, '\0');
    for (char& c : out)
        c = static_cast<char>(random());
    return out;
}

std::string TenMegabytes() {
    std::string out = "[Window]\nTime=3\n";
    for (int i = 0; out.size() < (10u << 20); ++i) {
        out += "[P" + std::to_string(i) + "]\r\nReg1=r\r\nLabel=L\r\nTypePIC=1\r\n";
        out += "; " + std::string(400, 'x') + "\r\n";
    }
    return out;
}

const BadFile kBadFiles[] = {
    {"random bytes", "", Random64k},
    {"random bytes after the mark", "", [] { return "\xEF\xBB\xBF" + Random64k(); }},
    {"NUL in the middle", std::string("[Window]\nTime=2\0\0garbage\nWdtState=1\n", 36)},
    {"invalid UTF-8", "\xEF\xBB\xBF[Window]\nTime=\xC0\x80\n[\xFF\xFE]\nReg1=\xED\xA0\x80\n"},
    {"a line of a megabyte", "",
     [] { return "[Window]\nTime=3\n[P]\nReg1=" + std::string(1 << 20, 'r') + "\n"; }},
    {"ten megabytes", "", TenMegabytes},
    {"group line without ]", "[Window\nTime=4\n[P\nLabel=x]\n"},
    {"values with =", "[Window]\nTime==5=\nOscillator = 2=3\n[P]\nReg1 = a=b\n"},
    {"only line breaks", std::string(100000, '\n')},
    {"one very long line without a break", "", [] { return std::string(3 << 20, 'k'); }},
};

class BadSettingsFile : public AppInFolder, public ::testing::WithParamInterface<BadFile> {};

TEST_P(BadSettingsFile, StartsReadsWhatItCanAndSavesAWholeFile) {
    WriteBytes(ini, GetParam().Bytes());
    const auto start = std::chrono::steady_clock::now();
    ListLanguages(app);
    LoadSettings(app);
    LoadSelectedLanguage(app);
    EXPECT_TRUE(gadgets.Messages().empty());
    EXPECT_GE(gadgets.ItemCount(kProfileCombo), 1);
    EXPECT_GE(gadgets.State(kProfileCombo), 0);
    for (int i = 0; i < std::min(gadgets.ItemCount(kProfileCombo), 50); ++i) {
        EXPECT_TRUE(ValidUtf8(gadgets.ItemText(kProfileCombo, i)));
    }
    for (const Profile& p : app.profiles) {
        for (const std::string& r : p.Reg)
            ASSERT_TRUE(ValidUtf8(r));
    }
    SaveSettings(app);
    const std::string saved = ReadBytes(ini);
    EXPECT_EQ(saved.substr(0, 5), "\xEF\xBB\xBF\r\n");
    // What was read before is read again: nothing lost by the save.
    const ProfileList before = app.profiles;
    EXPECT_EQ(ReadStoredSettings(ini).profiles, before);
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(60));
}

INSTANTIATE_TEST_SUITE_P(BadInput, BadSettingsFile, ::testing::ValuesIn(kBadFiles),
                         [](const auto& info) {
                             std::string name;
                             for (char c : std::string(info.param.what))
                                 name += std::isalnum(c) ? c : '_';
                             return name;
                         });

TEST_P(BadSettingsFile, AsALanguageFileGivesValidTextsOnly) {
    const std::string bytes = GetParam().Bytes();
    MakeLanguage("bad.lng", bytes);
    ListLanguages(app);
    gadgets.SetState(kLanguageCombo, 0);
    LoadSelectedLanguage(app);
    EXPECT_TRUE(gadgets.Messages().empty());
    for (int g : {kLanguageLabel, kCalculatorCheck, kFirstRegisterLabel, kOkButton}) {
        EXPECT_TRUE(ValidUtf8(gadgets.Text(g))) << g;
    }
    EXPECT_TRUE(ValidUtf8(app.messages[Msg::Delay]));
    EXPECT_EQ(gadgets.ItemCount(kTimeUnitCombo), 6);
    // Reading a language never writes it.
    EXPECT_EQ(ReadBytes(app.files.languageFolders.front() / "bad.lng"), bytes);
}

TEST_F(AppInFolder, FileTooLargeToBeOursIsNeverReplaced) {
    {
        std::ofstream out(ini, std::ios::binary);
        out << "[Window]\nTime=2\n";
    }
    fs::resize_file(ini, fileio::kMaxFileSize + 1);  // sparse: costs no disk
    ListLanguages(app);
    LoadSettings(app);
    EXPECT_EQ(gadgets.State(kTimeUnitCombo), 0);
    SaveSettings(app);
    EXPECT_FALSE(SaveAll(app));
    EXPECT_EQ(fs::file_size(ini), fileio::kMaxFileSize + 1);
    std::ifstream in(ini, std::ios::binary);
    std::string head(16, '\0');
    in.read(head.data(), 16);
    EXPECT_EQ(head, "[Window]\nTime=2\n");
    EXPECT_EQ(CountEntries(dir.path()), 1u);
}

#ifndef _WIN32
TEST_F(AppInFolder, AFifoAtTheSettingsPathIsNeitherWaitedOnNorReplaced) {
    ASSERT_EQ(::mkfifo(ini.c_str(), 0600), 0);
    const auto start = std::chrono::steady_clock::now();
    LoadSettings(app);
    SaveSettings(app);
    EXPECT_FALSE(SaveAll(app));
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(1));
    EXPECT_EQ(gadgets.ItemCount(kProfileCombo), 2);
    EXPECT_TRUE(fs::is_fifo(ini));
}

TEST_F(AppInFolder, ADanglingDotfileLinkGetsTheFirstStartAndEveryClose) {
    fs::create_directory(dir / "dotfiles");
    fs::create_symlink(dir / "dotfiles" / "loopsmith.ini", ini);
    LoadSettings(app);
    gadgets.SetState(kTimeUnitCombo, 2);
    SaveSettings(app);
    EXPECT_TRUE(fs::is_symlink(ini));
    EXPECT_NE(ReadBytes(dir / "dotfiles" / "loopsmith.ini").find("Time = 2\r\n"),
              std::string::npos);
}
#endif

std::string Groups(int count, const std::string& keys = "Reg1 = r\r\n") {
    std::string out;
    for (int i = 0; i < count; ++i)
        out += "[P" + std::to_string(i) + "]\r\n" + keys;
    return out;
}

std::string Utf16(const std::string& ascii, bool big) {
    std::string out = big ? "\xFE\xFF" : "\xFF\xFE";
    for (char c : ascii)
        out += big ? std::string{'\0', c} : std::string{c, '\0'};
    return out;
}

// What the user wrote survives an open, a profile save and a close: the profiles read (their
// number; 0: the file cannot be read) are read again, or the file is left byte for byte.
using KeptFile = std::pair<std::string (*)(), std::size_t>;
const KeptFile kKeptFiles[] = {
    {[] { return Groups(kv::kMaxGroups + 1); }, 0},
    {[] { return Groups(kv::kMaxGroups); }, 30000},  // the close adds the settings group
    {[] {
         std::string comments(2 * (kv::kMaxEntries - 1), '\n');  // the most lines
         for (std::size_t i = 0; i < comments.size(); i += 2)
             comments[i] = ';';
         return Groups(1, comments);
     },
     1},
    {[] { return Utf16("[Window]\r\n[A]\r\n[B]\r\n", false); }, 2},
    {[] { return Utf16("[A]\r\nReg1 = x\r\n", true); }, 1},
    {[] { return Utf16("[A]\r\n", false).substr(2); }, 0},                     // no mark
    {[] { return std::string("\xFF\xFE\0\0[\0\0\0A\0\0\0]\0\0\0", 16); }, 0},  // UTF-32
    {[] { return std::string("[window]\n[Motor]\n[motor]\n[Motor]\n"); }, 4},
};

class KeptSettingsFile : public AppInFolder, public ::testing::WithParamInterface<KeptFile> {};

TEST_P(KeptSettingsFile, SurvivesAProfileSaveAndAClose) {
    const auto [make, expected] = GetParam();
    const std::string bytes = make();
    WriteBytes(ini, bytes);
    LoadSettings(app);
    const ProfileList read = app.profiles;
    EXPECT_EQ(read.size(), expected ? expected : 2u);
    EXPECT_EQ(SaveAll(app), expected > 0);
    SaveSettings(app);
    EXPECT_EQ(ReadBytes(ini) == bytes, expected == 0);
    LoadSettings(app);
    EXPECT_EQ(app.profiles, read);
}

INSTANTIATE_TEST_SUITE_P(Kept, KeptSettingsFile, ::testing::ValuesIn(kKeptFiles));

TEST(ManyProfiles, SaveAllAndLoadStayFast) {
    TempFolder dir;
    ui::MemoryGadgets gadgets{MainWindowLayout()};
    AppState app{gadgets, dir.path(), PortableLocations(dir.path())};
    for (int i = 0; i < 20000; ++i)
        app.profiles.push_back(MakeProfile("P" + std::to_string(i), "L", i & 1));
    const auto start = std::chrono::steady_clock::now();
    ASSERT_TRUE(SaveAll(app));
    const ProfileList loaded = ReadStoredSettings(app.SettingsPath()).profiles;
    EXPECT_EQ(loaded, app.profiles);
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(20));
}

}  // namespace
