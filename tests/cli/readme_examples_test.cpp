// The README's loopsmith-cli examples are the program's own output: each block that shows
// "$ loopsmith-cli ..." is run in a fresh folder, line by line, by the shell. A "$ cat FILE"
// step writes FILE with the text shown, so that later steps read it. A block whose output cannot
// be made here is preceded by "<!-- example not run: why -->". The program's folder is shown as
// "<program folder>".
#include <gtest/gtest.h>

#ifndef _WIN32
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "helpers/child_process.h"
#include "helpers/temp_folder.h"

namespace fs = std::filesystem;
using namespace testing_files;

namespace {

struct Step {
    std::string command;
    std::string output;  // the lines shown after it, each ending in "\n"
};

struct Example {
    int line = 0;  // of the opening fence
    std::vector<Step> steps;
};

bool StartsWith(const std::string& s, const std::string& head) {
    return s.compare(0, head.size(), head) == 0;
}

std::vector<Example> ReadExamples(const std::string& readme, int& skipped) {
    std::vector<Example> examples;
    std::istringstream in(readme);
    std::string line, previous;
    int number = 0;
    bool inBlock = false;
    bool notRun = false;
    Example current;
    while (std::getline(in, line)) {
        ++number;
        if (StartsWith(line, "```")) {
            if (!inBlock) {
                current = Example{number, {}};
                notRun = StartsWith(previous, "<!-- example not run:");
            } else {
                bool runsTheTool = false;
                for (const Step& s : current.steps)
                    runsTheTool |= s.command.find("loopsmith-cli") != std::string::npos;
                if (runsTheTool)
                    notRun ? static_cast<void>(++skipped) : examples.push_back(current);
            }
            inBlock = !inBlock;
        } else if (inBlock && StartsWith(line, "$ ")) {
            current.steps.push_back({line.substr(2), ""});
        } else if (inBlock && !current.steps.empty()) {
            current.steps.back().output += line + "\n";
        }
        previous = line;
    }
    return examples;
}

std::string RunInShell(const fs::path& folder, const std::string& command) {
    const std::string line = "cd '" + folder.string() + "' && PATH='" + (folder / "bin").string() +
                             ":'\"$PATH\" sh -c '" + command + "' 2>&1";
    std::string out;
    if (FILE* p = ::popen(line.c_str(), "r")) {
        char buf[4096];
        for (std::size_t n; (n = std::fread(buf, 1, sizeof buf, p)) > 0;)
            out.append(buf, n);
        ::pclose(p);
    }
    std::string plain;  // the window's "\r\n" line ends, shown as plain lines
    for (char c : out) {
        if (c != '\r')
            plain += c;
    }
    const std::string bin = (folder / "bin").string();
    for (std::size_t at; (at = plain.find(bin)) != std::string::npos;)
        plain.replace(at, bin.size(), "<program folder>");
    return plain;
}

std::string Quote(const std::string& s) {
    std::string q;
    for (char c : s)
        q += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return q;
}

TEST(ReadmeExamples, EachShowsWhatTheProgramPrints) {
    int skipped = 0;
    const std::vector<Example> examples =
        ReadExamples(ReadBytes(fs::path(LOOPSMITH_SOURCE_DIR) / "README.md"), skipped);
    ASSERT_GE(examples.size(), 10u);
    for (const Example& example : examples) {
        SCOPED_TRACE("README.md:" + std::to_string(example.line));
        // The program alone in a folder of its own: no settings file but the block's.
        TempFolder folder;
        fs::create_directory(folder / "bin");
        fs::copy_file(BuiltProgram("loopsmith-cli"), folder / "bin" / "loopsmith-cli");
        fs::copy(fs::path(LOOPSMITH_BIN_DIR) / "Language", folder / "bin" / "Language");
        for (const Step& step : example.steps) {
            if (StartsWith(step.command, "cat ")) {
                WriteBytes(folder / step.command.substr(4), step.output);
                continue;
            }
            EXPECT_EQ(RunInShell(folder.path(), Quote(step.command)), step.output)
                << "$ " << step.command;
        }
    }
    std::printf("%zu examples run, %d marked as not run\n", examples.size(), skipped);
}

}  // namespace
#endif
