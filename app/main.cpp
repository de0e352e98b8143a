// Loopsmith: builds the main window, runs the event loop until it is closed, saves the
// settings. Reads no command line.
#include <QApplication>
#include <QByteArray>
#include <QCoreApplication>
#include <QDir>

#include <cstdio>
#include <cstdlib>
#include <exception>
#include <filesystem>

#include "app/app_state.h"
#include "app/event_loop.h"
#include "app/main_window_layout.h"
#include "app/startup.h"
#include "ui/qt/app_look.h"
#include "ui/qt/qt_gadgets.h"

namespace {

constexpr const char* kNoDisplay =
    "Loopsmith cannot open its window: no graphical display is available.\n";

// Without a display the toolkit would abort with a trace; say it in one sentence instead.
bool DisplayMissing() {
#if defined(__linux__)
    const QByteArray platform = qgetenv("QT_QPA_PLATFORM");
    if (!platform.isEmpty() && !platform.startsWith("xcb"))
        return false;
    return qgetenv("DISPLAY").isEmpty() && qgetenv("WAYLAND_DISPLAY").isEmpty();
#else
    return false;
#endif
}

// Any other fatal start-up failure of the toolkit ends the same way, with no core dump.
void QuietStartupMessages(QtMsgType type, const QMessageLogContext&, const QString&) {
    if (type == QtFatalMsg) {
        std::fputs(kNoDisplay, stderr);
        std::_Exit(1);
    }
}

int Run(int argc, char** argv) {
    if (DisplayMissing()) {
        std::fputs(kNoDisplay, stderr);
        return 1;
    }
    // Only the program's name is handed on: no option reaches Qt or the program.
    int qtArgc = argc > 0 ? 1 : 0;
    char* qtArgv[] = {argc > 0 ? argv[0] : nullptr, nullptr};
    QtMessageHandler previous = qInstallMessageHandler(QuietStartupMessages);
    QApplication application(qtArgc, qtArgv);
    qInstallMessageHandler(previous);
    ui::qt::PrepareApplication();

    // The program's own folder, however deep, is the base of every file it uses.
    const std::filesystem::path folder = QCoreApplication::applicationDirPath().toStdU16String();
    std::error_code ignored;
    std::filesystem::current_path(folder, ignored);

    ui::qt::QtGadgets gadgets(MainWindowLayout());
    if (!gadgets.Built()) {
        std::fputs("Loopsmith could not create its main window.\n", stderr);
        return 1;
    }
    AppState app(gadgets, folder);
    StartUp(app);
    RunEventLoop(app);
    ShutDown(app);
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    try {
        return Run(argc, argv);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "Loopsmith stopped: %s\n", e.what());
        return 1;
    }
}
