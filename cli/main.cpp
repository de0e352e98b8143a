// loopsmith-cli: the delay code of the Loopsmith window from a shell, plus checks of the code
// and a batch mode for scripts. Never links the toolkit.
#include <cstdio>
#include <new>
#include <optional>
#include <string>

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#endif

#include "base/utf8.h"
#include "cli/block_checks.h"
#include "cli/cli_modes.h"
#include "cli/cli_options.h"
#include "cli/command_line.h"
#include "cli/console_output.h"
#include "cli/program_folder.h"
#include "store/file_locations.h"

namespace {

int Run(int argc, char** argv) {
#ifdef _WIN32
    // Bytes in, bytes out: text mode would turn "\n" into "\r\n" and end the input at a ^Z.
    _setmode(_fileno(stdin), _O_BINARY);
    _setmode(_fileno(stdout), _O_BINARY);
    _setmode(_fileno(stderr), _O_BINARY);
#endif
    const CliParse parsed = ParseCliOptions(CommandLineArguments(argc, argv));
    if (!parsed.error.empty())
        return Usage(parsed.error);
    const CliOptions& o = parsed.options;
    const FileLocations locations = BuildLocations(ProgramFolder());
    if (o.help) {
        Write(stdout, kCliHelp);
        Write(stdout,
              "\nSettings file: " +
                  (locations.settingsFile.empty() ? std::string("none (no home folder)")
                                                  : base::PathToUtf8(locations.settingsFile)) +
                  "\n");
        return 0;
    }
    if (o.version) {
        Write(stdout, "loopsmith-cli " LOOPSMITH_VERSION "\n");
        return 0;
    }
    if (o.countFile)
        return RunCount(o);
    CliSession session;
    if (const std::optional<int> failed = OpenSession(o, locations, session))
        return *failed;
    if (o.batch)
        return RunBatch(o, session);
    if (o.link)
        return RunLink(o, session);
    if (o.plan)
        return RunPlan(o, session);
    if (o.verify)
        return RunVerify(o, session);
    return RunCode(o, session);
}

}  // namespace

int main(int argc, char** argv) {
    int code = 0;
    try {
        code = Run(argc, argv);
    } catch (const std::bad_alloc&) {
        std::fputs("loopsmith-cli: out of memory\n", stderr);
        return kExitFailure;
    }
    // Nothing counts as done that did not reach standard output.
    if (code != kExitFailure && !OutputWritten())
        return kExitFailure;
    return code;
}
