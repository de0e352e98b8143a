#include "i18n/language_file.h"

#include <algorithm>
#include <system_error>

#include "i18n/ui_text_table.h"
#include "store/key_value_file.h"
#include "store/key_value_text.h"
#include "store/settings_values.h"

namespace {

constexpr std::string_view kExtension = ".lng";

// The name of a "*.lng" file, or nothing for any other file name.
std::optional<std::string> LanguageName(const std::string& fileName) {
    if (fileName.size() < kExtension.size())
        return std::nullopt;
    const std::string_view tail = std::string_view(fileName).substr(fileName.size() - 4);
    if (!kv::NamesMatch(tail, kExtension))
        return std::nullopt;
    return fileName.substr(0, fileName.size() - 4);
}

bool IsFile(const std::filesystem::path& p) {
    std::error_code ec;
    return std::filesystem::is_regular_file(p, ec);
}

// Case-blind first, so that "English" and "english" stand together; bytes break ties.
bool LanguageOrder(const std::string& a, const std::string& b) {
    const auto fold = [](unsigned char c) { return (c >= 'A' && c <= 'Z') ? c + 32 : int(c); };
    const bool less =
        std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(), [&](char x, char y) {
            return fold(static_cast<unsigned char>(x)) < fold(static_cast<unsigned char>(y));
        });
    if (less)
        return true;
    if (kv::NamesMatch(a, b))
        return a < b;
    return false;
}

}  // namespace

std::filesystem::path PathFromUtf8(const std::string& text) {
    return std::filesystem::path(std::u8string(text.begin(), text.end()));
}

std::string PathToUtf8(const std::filesystem::path& path) {
    const std::u8string s = path.u8string();
    return std::string(s.begin(), s.end());
}

LanguageTexts ReadLanguageTexts(KeyValueFile* file) {
    const auto read = [file](std::string_view group, std::string_view key, const char* fallback) {
        if (!file)
            return std::string(fallback);
        file->SelectGroup(group);
        return file->ReadText(key, fallback);
    };
    LanguageTexts texts;
    texts.ui = ReadUiTexts(read);
    texts.messages = ComposeMessageTexts(
        [&](const char* key, const char* fallback) { return read(kMessageGroup, key, fallback); });
    return texts;
}

std::optional<MessageTexts> ReadMessageTexts(const std::filesystem::path& languageFile) {
    if (!IsFile(languageFile))
        return std::nullopt;
    KeyValueFile file;
    if (!file.OpenKeyValueFileForReading(languageFile))
        return std::nullopt;
    return ReadLanguageTexts(&file).messages;
}

std::filesystem::path LanguageFilePath(const std::filesystem::path& folder,
                                       const std::string& name) {
    std::filesystem::path exact = folder / PathFromUtf8(name + std::string(kExtension));
    if (IsFile(exact))
        return exact;
    std::error_code ec;
    for (auto it = std::filesystem::directory_iterator(folder, ec);
         !ec && it != std::filesystem::directory_iterator(); it.increment(ec)) {
        const std::optional<std::string> found = LanguageName(PathToUtf8(it->path().filename()));
        if (found && *found == name && IsFile(it->path()))
            return it->path();
    }
    return exact;
}

std::vector<std::string> FindLanguageNames(const std::filesystem::path& folder) {
    std::vector<std::string> names;
    std::error_code ec;
    if (!std::filesystem::is_directory(folder, ec))
        return names;
    for (auto it = std::filesystem::directory_iterator(folder, ec);
         !ec && it != std::filesystem::directory_iterator(); it.increment(ec)) {
        const std::optional<std::string> name = LanguageName(PathToUtf8(it->path().filename()));
        if (name && IsFile(it->path()))
            names.push_back(kv::SanitizeUtf8(*name));
    }
    std::sort(names.begin(), names.end(), LanguageOrder);
    return names;
}

int ResolveLanguagePosition(const std::vector<std::string>& names, int stored) {
    const int count = static_cast<int>(names.size());
    if (stored >= 0 && stored < count)
        return stored;
    for (int i = 0; i < count; ++i) {
        if (kv::NamesMatch(names[i], "russian"))
            return i;
    }
    return -1;
}

std::filesystem::path StartLanguageFile(const std::filesystem::path& programFolder) {
    const std::filesystem::path folder = programFolder / "Language";
    const std::vector<std::string> names = FindLanguageNames(folder);
    const std::optional<SettingsValues> stored = ReadSettingsFile(programFolder / "Loopsmith.ini");
    const int position = ResolveLanguagePosition(names, stored ? stored->Language : -1);
    if (position < 0 || names[position].empty())
        return {};
    return LanguageFilePath(folder, names[position]);
}

std::string MissingLanguageFileText(const std::filesystem::path& path) {
    const std::string full = PathToUtf8(path);
    const std::size_t cut = full.find_last_of("/\\");
    const std::string name = cut == std::string::npos ? full : full.substr(cut + 1);
    return "Отсутствует языковой файл \"" + name + "\"\n\nNot language file  \"" + name + "\"";
}
