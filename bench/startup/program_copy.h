// A fresh temporary folder holding a copy of a program and the folders it reads beside it,
// so that whatever the program writes beside itself never lands in the build; removed again
// when the copy goes.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

class ProgramCopy {
  public:
    ProgramCopy(const std::filesystem::path& program, const std::vector<std::string>& besideIt);
    ~ProgramCopy();
    ProgramCopy(const ProgramCopy&) = delete;
    ProgramCopy& operator=(const ProgramCopy&) = delete;

    // Empty when the copy failed.
    const std::filesystem::path& Program() const { return program_; }

  private:
    std::filesystem::path folder_;
    std::filesystem::path program_;
};
