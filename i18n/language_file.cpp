#include "i18n/language_file.h"

#include "base/ascii.h"
#include "base/utf8.h"

#include <algorithm>
#include <system_error>

#include "i18n/ui_text_table.h"
#include "store/key_value_file.h"
#include "store/key_value_text.h"

namespace {

constexpr std::string_view kExtension = ".lng";

// The name of a "*.lng" file, or nothing for any other file name.
std::optional<std::string> LanguageName(const std::string& fileName) {
    if (fileName.size() < kExtension.size())
        return std::nullopt;
    const std::string_view tail = std::string_view(fileName).substr(fileName.size() - 4);
    if (!base::EqualFoldingAscii(tail, kExtension))
        return std::nullopt;
    return fileName.substr(0, fileName.size() - 4);
}

bool IsFile(const std::filesystem::path& p) {
    std::error_code ec;
    return std::filesystem::is_regular_file(p, ec);
}

// Case-blind first, so that "English" and "english" stand together; bytes break ties.
bool LanguageOrder(const std::string& a, const std::string& b) {
    if (base::LessFoldingAscii(a, b))
        return true;
    if (base::EqualFoldingAscii(a, b))
        return a < b;
    return false;
}

}  // namespace

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

std::optional<LanguageTexts> ReadLanguageFile(const std::filesystem::path& languageFile) {
    if (!IsFile(languageFile))
        return std::nullopt;
    KeyValueFile file;
    if (!file.OpenKeyValueFileForReading(languageFile))
        return std::nullopt;
    return ReadLanguageTexts(&file);
}

std::filesystem::path LanguageFilePath(const std::filesystem::path& folder,
                                       const std::string& name) {
    std::filesystem::path exact = folder / base::PathFromUtf8(name + std::string(kExtension));
    if (IsFile(exact))
        return exact;
    std::error_code ec;
    for (auto it = std::filesystem::directory_iterator(folder, ec);
         !ec && it != std::filesystem::directory_iterator(); it.increment(ec)) {
        const std::optional<std::string> found =
            LanguageName(base::PathToUtf8(it->path().filename()));
        // As listed: a name that is no valid UTF-8 is shown, and chosen, sanitized.
        if (found && base::SanitizeUtf8(*found) == name && IsFile(it->path()))
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
        const std::optional<std::string> name =
            LanguageName(base::PathToUtf8(it->path().filename()));
        if (name && IsFile(it->path()))
            names.push_back(base::SanitizeUtf8(*name));
    }
    std::sort(names.begin(), names.end(), LanguageOrder);
    return names;
}

std::vector<std::string> FindLanguageNames(const std::vector<std::filesystem::path>& folders) {
    std::vector<std::string> names;
    for (const std::filesystem::path& folder : folders) {
        const std::size_t before = names.size();
        for (std::string& name : FindLanguageNames(folder)) {
            // A name an earlier folder has already is that folder's file.
            if (std::find(names.begin(), names.begin() + static_cast<std::ptrdiff_t>(before),
                          name) == names.begin() + static_cast<std::ptrdiff_t>(before))
                names.push_back(std::move(name));
        }
    }
    std::stable_sort(names.begin(), names.end(), LanguageOrder);
    return names;
}

std::filesystem::path LanguageFilePath(const std::vector<std::filesystem::path>& folders,
                                       const std::string& name) {
    for (const std::filesystem::path& folder : folders) {
        std::filesystem::path path = LanguageFilePath(folder, name);
        if (IsFile(path))
            return path;
    }
    return folders.empty() ? std::filesystem::path() : LanguageFilePath(folders.front(), name);
}

std::string LanguageFileName(const std::string& name) {
    return name + std::string(kExtension);
}

int ResolveLanguagePosition(const std::vector<std::string>& names, int stored,
                            const std::string& storedFile, std::string_view systemLanguage) {
    const int count = static_cast<int>(names.size());
    if (const std::optional<std::string> name = LanguageName(storedFile)) {
        const auto found = std::find(names.begin(), names.end(), *name);
        if (found != names.end())
            return static_cast<int>(found - names.begin());
    }
    if (stored >= 0 && stored < count)
        return stored;
    for (const std::string_view wanted : {systemLanguage, std::string_view("russian")}) {
        for (int i = 0; i < count && !wanted.empty(); ++i) {
            if (base::EqualFoldingAscii(names[i], wanted))
                return i;
        }
    }
    return -1;
}

std::string MissingLanguageFileText(const std::filesystem::path& path) {
    const std::string full = base::PathToUtf8(path);
    const std::size_t cut = full.find_last_of("/\\");
    const std::string name = cut == std::string::npos ? full : full.substr(cut + 1);
    return "Отсутствует языковой файл \"" + name + "\"\n\nNot language file  \"" + name + "\"";
}
