// Where the settings file and the language files live. A portable build keeps both beside the
// program; an installed build (a package) keeps the settings in the user's configuration
// folder and reads the shipped languages from the package's data folder, the user's own
// language files winning over shipped ones of the same name.
#pragma once

#include <filesystem>
#include <vector>

struct FileLocations {
    std::filesystem::path settingsFile;
    // The user's own folder first: a language found there wins.
    std::vector<std::filesystem::path> languageFolders;
    // The folder that must exist before the settings file can be written; empty when it is the
    // program's own folder.
    std::filesystem::path configFolder;
};

FileLocations PortableLocations(const std::filesystem::path& programFolder);
FileLocations InstalledLocations(const std::filesystem::path& configFolder,
                                 const std::filesystem::path& dataFolder);

// $XDG_CONFIG_HOME/loopsmith, else ~/.config/loopsmith; %APPDATA%\Loopsmith on Windows.
// Empty when the environment names no home.
std::filesystem::path UserConfigFolder();

// The layout this build was made for.
FileLocations BuildLocations(const std::filesystem::path& programFolder);

// Makes the configuration folder on first use; false when it cannot be made (the program then
// runs as with a read-only settings file).
bool PrepareConfigFolder(const FileLocations& locations);
