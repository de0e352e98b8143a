// The program's arguments as UTF-8, whatever the platform hands to main.
#pragma once

#include <string>
#include <vector>

// Without the program name. On Windows main's argv is in the ANSI code page, which cannot
// hold every name (a Cyrillic profile name, a path); the wide command line is read instead.
std::vector<std::string> CommandLineArguments(int argc, char** argv);
