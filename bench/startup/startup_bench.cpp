// Start-up of the real program against a bare Qt window: both started alternately on one X
// display, each timed from exec until an outside X client sees its window viewable, its peak
// resident memory taken when it is ended. Prints the medians and their ratios.
//
//   startup_bench [--pairs N] [--warmup N] [--settle MS] [--xvfb] [--program PATH]
//                 [--baseline PATH]
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "child_process.h"
#include "map_watcher.h"
#include "program_copy.h"
#include "shared_display.h"

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

constexpr double kTarget = 1.2;

struct Options {
    int pairs = 15;
    int warmup = 1;
    int settleMs = 200;  // lets the first paint count towards the peak memory
    bool ownDisplay = false;
    fs::path program = LOOPSMITH_PROGRAM;
    fs::path baseline = BASELINE_PROGRAM;
};

struct Contender {
    const char* name;
    fs::path program;
    std::vector<std::string> besideIt;  // folders the program reads beside itself
};

struct Sample {
    double ms = 0;
    double mib = 0;
    int width = 0;
    int height = 0;
};

std::optional<Options> ParseOptions(int argc, char** argv) {
    Options o;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        const char* value = i + 1 < argc ? argv[i + 1] : nullptr;
        if (arg == "--xvfb") {
            o.ownDisplay = true;
        } else if (value && arg == "--pairs") {
            o.pairs = std::atoi(value), ++i;
        } else if (value && arg == "--warmup") {
            o.warmup = std::atoi(value), ++i;
        } else if (value && arg == "--settle") {
            o.settleMs = std::atoi(value), ++i;
        } else if (value && arg == "--program") {
            o.program = value, ++i;
        } else if (value && arg == "--baseline") {
            o.baseline = value, ++i;
        } else {
            return std::nullopt;
        }
    }
    if (o.pairs < 1 || o.warmup < 0 || o.settleMs < 0)
        return std::nullopt;
    return o;
}

std::optional<Sample> RunOnce(const Contender& who, const std::string& display, MapWatcher& watcher,
                              int settleMs) {
    const ProgramCopy copy(who.program, who.besideIt);
    if (copy.Program().empty()) {
        std::fprintf(stderr, "Could not copy %s into a temporary folder.\n", who.name);
        return std::nullopt;
    }
    watcher.Reset();
    const Clock::time_point start = Clock::now();
    ChildProcess child(copy.Program(), display);
    if (!child.Started()) {
        std::fprintf(stderr, "Could not start %s.\n", who.name);
        return std::nullopt;
    }
    const std::optional<SeenWindow> seen =
        watcher.WaitForVisible(start + std::chrono::seconds(30), [&] { return child.Running(); });
    if (!seen) {
        child.EndAndPeakKiB();
        std::fprintf(stderr, "%s showed no window.\n", who.name);
        return std::nullopt;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(settleMs));
    Sample s;
    s.ms = std::chrono::duration<double, std::milli>(seen->at - start).count();
    s.mib = child.EndAndPeakKiB() / 1024.0;
    s.width = seen->width;
    s.height = seen->height;
    return s;
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    const std::size_t n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

}  // namespace

int main(int argc, char** argv) {
    const std::optional<Options> options = ParseOptions(argc, argv);
    if (!options) {
        std::fprintf(stderr,
                     "usage: %s [--pairs N] [--warmup N] [--settle MS] [--xvfb] [--program PATH] "
                     "[--baseline PATH]\n",
                     argv[0]);
        return 2;
    }
    const Contender contenders[] = {{"loopsmith", options->program, {"Language"}},
                                    {"baseline", options->baseline, {}}};
    for (const Contender& c : contenders) {
        if (!fs::is_regular_file(c.program)) {
            std::fprintf(stderr, "No %s program at %s.\n", c.name, c.program.c_str());
            return 1;
        }
    }

    const SharedDisplay display(options->ownDisplay);
    if (display.Name().empty()) {
        std::fprintf(stderr, "No X display: set DISPLAY or install Xvfb.\n");
        return 1;
    }
    MapWatcher watcher(display.Name());
    if (!watcher.Connected()) {
        std::fprintf(stderr, "Cannot connect to the X display %s.\n", display.Name().c_str());
        return 1;
    }
    std::printf(
        "Display %s%s; %d alternating pair(s) after %d warm-up pair(s); ended %d ms after "
        "being seen.\n",
        display.Name().c_str(), display.StartedHere() ? " (Xvfb started here)" : "", options->pairs,
        options->warmup, options->settleMs);
    std::printf("%-6s %14s %14s %14s %14s\n", "pair", "loopsmith ms", "baseline ms",
                "loopsmith MiB", "baseline MiB");

    std::vector<Sample> samples[2];
    for (int pair = 0; pair < options->warmup + options->pairs; ++pair) {
        Sample s[2];
        // Alternating which one goes first evens out any drift between the two.
        for (int k = 0; k < 2; ++k) {
            const int who = (pair + k) % 2;
            const std::optional<Sample> got =
                RunOnce(contenders[who], display.Name(), watcher, options->settleMs);
            if (!got)
                return 1;
            s[who] = *got;
        }
        const bool counted = pair >= options->warmup;
        std::printf("%-6s %14.1f %14.1f %14.1f %14.1f\n",
                    counted ? std::to_string(pair - options->warmup + 1).c_str() : "warm", s[0].ms,
                    s[1].ms, s[0].mib, s[1].mib);
        if (counted) {
            samples[0].push_back(s[0]);
            samples[1].push_back(s[1]);
        }
    }

    double ms[2];
    double mib[2];
    for (int who = 0; who < 2; ++who) {
        std::vector<double> times;
        std::vector<double> peaks;
        for (const Sample& s : samples[who]) {
            times.push_back(s.ms);
            peaks.push_back(s.mib);
        }
        ms[who] = Median(times);
        mib[who] = Median(peaks);
        std::printf("median %-10s %8.1f ms %8.1f MiB   window %d x %d\n", contenders[who].name,
                    ms[who], mib[who], samples[who].back().width, samples[who].back().height);
    }
    const double timeRatio = ms[0] / ms[1];
    const double memoryRatio = mib[0] / mib[1];
    std::printf("ratio  start-up time %.2f, peak memory %.2f (target: at most %.1f each)%s\n",
                timeRatio, memoryRatio, kTarget,
                timeRatio > kTarget || memoryRatio > kTarget ? " - OVER" : "");
    return 0;
}
