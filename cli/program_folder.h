// The folder of the running executable: the base of the default settings file and of the
// Language folder, as for the window program.
#pragma once

#include <filesystem>

// Empty when the platform cannot tell.
std::filesystem::path ProgramFolder();
