// Saves of the largest settings file the program reads: 30000 profile groups and 599,995 lines,
// a comment of the user's in nearly every group. A profile edit writes the file with one profile
// changed, the close writes the settings group; each keeps every other line. Each round starts
// from the same file, written outside the timing. The line count after a save is reported as
// `lines`.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "store/key_value_file.h"
#include "store/profile_store.h"
#include "store/settings_values.h"

namespace {

namespace fs = std::filesystem;

std::string LargestFile() {
    std::string text =
        "\xEF\xBB\xBF\r\n[Window]\r\nCalcState = 1\r\nTime = 0\r\n"
        "OscillatorType = 0\r\nOscillator = 4\r\nWdtState = 0\r\nNumberProf = 0\r\n"
        "Language = -1\r\n";
    // 8 lines of settings, 30000 profiles of 19 lines and 29,987 notes: 599,995 lines.
    for (int i = 0; i < 30000; ++i) {
        text += "[P" + std::to_string(i) + "]\r\n";
        for (int n = 1; n <= 8; ++n)
            text += "Reg" + std::to_string(n) + " = r" + std::to_string(n) + "\r\n";
        text += "Label = L\r\nTypePIC = 0\r\n";
        for (int n = 1; n <= 8; ++n)
            text += "RegType" + std::to_string(n) + " = 0\r\n";
        if (i < 29987)
            text += "; the user's note on P" + std::to_string(i) + "\r\n";
    }
    return text;
}

std::string Read(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

void Write(const fs::path& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

struct LargestFileFolder {
    LargestFileFolder() : folder(fs::temp_directory_path() / "loopsmith-save-bench") {
        fs::create_directories(folder);
    }
    ~LargestFileFolder() {
        std::error_code ec;
        fs::remove_all(folder, ec);
    }
    fs::path folder;
    fs::path ini = folder / "Loopsmith.ini";
    std::string bytes = LargestFile();
};

void ReportLines(benchmark::State& state, const fs::path& ini) {
    const std::string after = Read(ini);
    // Less the empty line after the mark.
    state.counters["lines"] = static_cast<double>(std::count(after.begin(), after.end(), '\n') - 1);
}

// The editor's OK: one profile changed in the middle of the list.
void BM_ProfileEditSave(benchmark::State& state) {
    LargestFileFolder f;
    Write(f.ini, f.bytes);
    ProfileList profiles = ReadStoredSettings(f.ini).profiles;
    profiles[15000].Reg[1] = "changed";
    for (auto _ : state) {
        state.PauseTiming();
        Write(f.ini, f.bytes);
        state.ResumeTiming();
        const ProfileSave save =
            SaveProfiles(f.ini, SettingsValues{}, profiles, std::nullopt, nullptr, "");
        if (!save.saved)
            state.SkipWithError("not saved");
    }
    ReportLines(state, f.ini);
}
BENCHMARK(BM_ProfileEditSave)->Unit(benchmark::kMillisecond)->UseRealTime();

// The close: the settings group written into the file.
void BM_CloseSave(benchmark::State& state) {
    LargestFileFolder f;
    for (auto _ : state) {
        state.PauseTiming();
        Write(f.ini, f.bytes);
        state.ResumeTiming();
        KeyValueFile file;
        if (!file.OpenKeyValueFile(f.ini))
            state.SkipWithError("not opened");
        SettingsValues values;
        values.Time = 2;
        WriteSettingsGroup(file, values);
        if (!file.CloseKeyValueFile())
            state.SkipWithError("not saved");
    }
    ReportLines(state, f.ini);
}
BENCHMARK(BM_CloseSave)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
