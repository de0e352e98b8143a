#include "store/file_locations.h"

#include <cstdlib>
#include <system_error>

#include "base/utf8.h"
#include "store/settings_values.h"

namespace {

constexpr const char* kLanguageFolderName = "Language";

std::filesystem::path FromEnvironment(const char* name) {
    const char* value = std::getenv(name);
    return value != nullptr && *value != '\0' ? base::PathFromUtf8(value) : std::filesystem::path();
}

}  // namespace

FileLocations PortableLocations(const std::filesystem::path& programFolder) {
    FileLocations l;
    l.settingsFile = programFolder / kSettingsFileName;
    l.languageFolders = {programFolder / kLanguageFolderName};
    return l;
}

FileLocations InstalledLocations(const std::filesystem::path& configFolder,
                                 const std::filesystem::path& dataFolder) {
    FileLocations l;
    l.languageFolders = {dataFolder / kLanguageFolderName};
    // With no home there is no settings file at all, rather than one in some current folder.
    if (configFolder.empty())
        return l;
    l.settingsFile = configFolder / kSettingsFileName;
    l.languageFolders.insert(l.languageFolders.begin(), configFolder / kLanguageFolderName);
    l.configFolder = configFolder;
    return l;
}

std::filesystem::path UserConfigFolder() {
#ifdef _WIN32
    const std::filesystem::path appData = FromEnvironment("APPDATA");
    return appData.empty() ? appData : appData / "Loopsmith";
#else
    // Only an absolute XDG_CONFIG_HOME counts, as the base directory rules say.
    const std::filesystem::path xdg = FromEnvironment("XDG_CONFIG_HOME");
    if (xdg.is_absolute())
        return xdg / "loopsmith";
    const std::filesystem::path home = FromEnvironment("HOME");
    return home.empty() ? home : home / ".config" / "loopsmith";
#endif
}


FileLocations BuildLocations(const std::filesystem::path& programFolder) {
#ifdef LOOPSMITH_DATA_FROM_PROGRAM
    // Found from where the program is, so that one build serves /usr, /usr/local, an unpacked
    // package and Windows alike.
    const std::filesystem::path data =
        (programFolder / base::PathFromUtf8(LOOPSMITH_DATA_FROM_PROGRAM)).lexically_normal();
    return InstalledLocations(UserConfigFolder(), data);
#else
    return PortableLocations(programFolder);
#endif
}

bool PrepareConfigFolder(const FileLocations& locations) {
    if (locations.configFolder.empty())
        return true;
    std::error_code ec;
    std::filesystem::create_directories(locations.configFolder, ec);
    return std::filesystem::is_directory(locations.configFolder, ec);
}
