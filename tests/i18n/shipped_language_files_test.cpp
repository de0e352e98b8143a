// The language files that ship with the program.
#include <gtest/gtest.h>

#include "engine/delay_code_text.h"
#include "helpers/temp_folder.h"
#include "i18n/language_file.h"
#include "i18n/message_texts.h"
#include "i18n/ui_text_table.h"
#include "store/key_value_file.h"

namespace {

namespace fs = std::filesystem;
const fs::path kLanguageFolder = fs::path(LOOPSMITH_SOURCE_DIR) / "Language";

struct Key {
    std::string group, key, fallback;
};

std::vector<Key> AllKeys() {
    std::vector<Key> keys;
    for (const UiText& t : UiTextTable())
        keys.push_back({t.group, t.key, t.fallback});
    ComposeMessageTexts([&keys](const char* key, const char* fallback) {
        keys.push_back({kMessageGroup, key, fallback});
        return std::string();
    });
    return keys;
}

const std::string kAbsent =
    "\x01"
    "absent";

class ShippedLanguage : public ::testing::TestWithParam<const char*> {};

TEST_P(ShippedLanguage, CarriesTheMarkAndEveryKeyOnce) {
    const fs::path path = kLanguageFolder / GetParam();
    EXPECT_EQ(testing_files::ReadBytes(path).substr(0, 3), testing_files::kMark);
    KeyValueFile file;
    ASSERT_TRUE(file.OpenKeyValueFile(path));
    for (const Key& k : AllKeys()) {
        EXPECT_TRUE(file.SelectGroup(k.group)) << k.group;
        EXPECT_NE(file.ReadText(k.key, kAbsent), kAbsent) << k.group << "/" << k.key;
    }
    // Nothing the program does not know.
    file.FirstGroup();
    std::size_t groups = 0;
    while (file.NextGroup())
        ++groups;
    EXPECT_EQ(groups, 4u);
}

INSTANTIATE_TEST_SUITE_P(Languages, ShippedLanguage,
                         ::testing::Values("russian.lng", "english.lng"));

TEST(ShippedLanguages, RussianFileHoldsTheBuiltInTexts) {
    KeyValueFile file;
    ASSERT_TRUE(file.OpenKeyValueFile(kLanguageFolder / "russian.lng"));
    for (const Key& k : AllKeys()) {
        file.SelectGroup(k.group);
        EXPECT_EQ(file.ReadText(k.key, kAbsent), k.fallback) << k.group << "/" << k.key;
    }
}

TEST(ShippedLanguages, EnglishFileIsTranslatedThroughout) {
    KeyValueFile file;
    ASSERT_TRUE(file.OpenKeyValueFile(kLanguageFolder / "english.lng"));
    for (const Key& k : AllKeys()) {
        file.SelectGroup(k.group);
        const std::string text = file.ReadText(k.key, kAbsent);
        EXPECT_FALSE(text.empty()) << k.key;
        // Cyrillic letters start with the bytes D0 or D1 in UTF-8.
        EXPECT_EQ(text.find_first_of("\xD0\xD1"), std::string::npos) << k.key << ": " << text;
    }
}

// The header's unit follows the count, so it must be a symbol that fits 1 as well as 2.
TEST(ShippedLanguages, EnglishCalculatorHeaderReadsForOneAndTwo) {
    const std::optional<LanguageTexts> read = ReadLanguageFile(kLanguageFolder / "english.lng");
    ASSERT_TRUE(read);
    const MessageTexts* texts = &read->messages;
    const char* const timeUnits[] = {"\xC2\xB5s", "ms", "s", "min", "h", "d"};
    const char* const frequencyUnits[] = {"MHz", "kHz", "Hz"};
    for (const std::string count : {"1", "2"}) {
        for (int t = 0; t < 6; ++t) {
            const int f = t % 3;
            const CalculatorLines calc{count, TimeUnitAt(t), count, f};
            EXPECT_EQ(AppendCalculatorLines("", calc, *texts, "\n"),
                      "; Delay time " + count + " " + timeUnits[t] + "\n; Oscillator frequency " +
                          count + " " + frequencyUnits[f] + "\n\n");
        }
    }
}

TEST(ShippedLanguages, AreCopiedBesideTheProgram) {
    const fs::path built = fs::path(LOOPSMITH_BIN_DIR) / "Language";
    if (!fs::exists(built))
        GTEST_SKIP() << "language files not copied in this build";
    for (const char* name : {"russian.lng", "english.lng"}) {
        EXPECT_EQ(testing_files::ReadBytes(built / name),
                  testing_files::ReadBytes(kLanguageFolder / name))
            << name;
    }
}

}  // namespace
