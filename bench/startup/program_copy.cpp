#include "program_copy.h"

#include <cstdlib>
#include <string>
#include <system_error>

namespace fs = std::filesystem;

ProgramCopy::ProgramCopy(const fs::path& program, const std::vector<std::string>& besideIt) {
    std::error_code ec;
    std::string pattern = (fs::temp_directory_path(ec) / "loopsmith-startup-XXXXXX").string();
    if (ec || mkdtemp(pattern.data()) == nullptr)
        return;
    folder_ = pattern;
    const fs::path copy = folder_ / program.filename();
    fs::copy_file(program, copy, ec);
    if (ec)
        return;
    for (const std::string& name : besideIt) {
        fs::copy(program.parent_path() / name, folder_ / name, fs::copy_options::recursive, ec);
        if (ec)
            return;
    }
    program_ = copy;
}

ProgramCopy::~ProgramCopy() {
    std::error_code ignored;
    if (!folder_.empty())
        fs::remove_all(folder_, ignored);
}
