// Loopsmith with the Qt face: checks that there is a display to open the window on, builds
// the main window, runs the event loop until it is closed, saves the settings. Reads no
// command line.
#include <QApplication>
#include <QByteArray>
#include <QCoreApplication>
#include <QDir>
#include <QString>

#include <cstdio>
#include <cstdlib>
#include <exception>
#include <filesystem>
#include <system_error>

#include "app/main_window_layout.h"
#include "app/startup.h"
#include "programs/qt/captured_stderr.h"
#include "ui/qt/app_look.h"
#include "ui/qt/qt_gadgets.h"

namespace {

constexpr const char* kCannotOpen = "Loopsmith cannot open its window: ";

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

QString OneLine(QString text) {
    text.replace(QLatin1Char('\n'), QLatin1Char(' '));
    return text.simplified();
}

// The toolkit warns before it gives up; the first warning usually names the cause.
QString& FirstToolkitWarning() {
    static QString warning;
    return warning;
}

// Whether a local X display of that name has a server socket: then it answered and refused.
bool DisplayServerListens(const QByteArray& display) {
#if defined(__linux__)
    const int colon = display.lastIndexOf(':');
    const QByteArray host = colon < 0 ? QByteArray() : display.left(colon);
    if (colon < 0 || (!host.isEmpty() && host != "unix"))
        return false;
    QByteArray number = display.mid(colon + 1);
    const int dot = number.indexOf('.');
    if (dot >= 0)
        number.truncate(dot);
    std::error_code ec;
    return std::filesystem::exists("/tmp/.X11-unix/X" + number.toStdString(), ec);
#else
    (void)display;
    return false;
#endif
}

CapturedStderr*& HeldStderr() {
    static CapturedStderr* held = nullptr;
    return held;
}

QString StartupFailureCause(const QString& fatal) {
    const QString& warning = FirstToolkitWarning();
    if (warning.contains(QLatin1String("could not connect to display"))) {
        const QByteArray display = qgetenv("DISPLAY");
        const QString name = QString::fromLocal8Bit(display);
        if (!DisplayServerListens(display))
            return QStringLiteral("no graphical display is available at \"%1\".").arg(name);
        // The X library prints the server's reason itself.
        const QString reason =
            HeldStderr() ? OneLine(QString::fromLocal8Bit(HeldStderr()->Text())) : QString();
        return QStringLiteral("the display \"%1\" refused the connection%2.")
            .arg(name, reason.isEmpty() ? QString() : QStringLiteral(" (%1)").arg(reason));
    }
    if (warning.isEmpty())
        return OneLine(fatal);
    // "Could not find the Qt platform plugin ...", then the plugins there are.
    const qsizetype available = fatal.indexOf(QLatin1String("Available platform plugins"));
    return OneLine(warning + QLatin1String(". ") +
                   (available < 0 ? QString() : fatal.mid(available)));
}

// A fatal start-up failure of the toolkit ends with one line that names it, with no trace.
void StartupMessages(QtMsgType type, const QMessageLogContext&, const QString& text) {
    if (type == QtFatalMsg) {
        const QString line = kCannotOpen + StartupFailureCause(text) + QLatin1Char('\n');
        if (HeldStderr())
            HeldStderr()->Release(false);
        std::fputs(line.toLocal8Bit().constData(), stderr);
        std::_Exit(1);
    }
    if (type != QtDebugMsg && FirstToolkitWarning().isEmpty())
        FirstToolkitWarning() = text;
}

int Run(int argc, char** argv) {
    if (DisplayMissing()) {
        std::fprintf(stderr, "%sno graphical display is available.\n", kCannotOpen);
        return 1;
    }
    // Only the program's name is handed on: no option reaches Qt or the program.
    int qtArgc = argc > 0 ? 1 : 0;
    char* qtArgv[] = {argc > 0 ? argv[0] : nullptr, nullptr};
    CapturedStderr held;
    HeldStderr() = &held;
    QtMessageHandler previous = qInstallMessageHandler(StartupMessages);
    QApplication application(qtArgc, qtArgv);
    qInstallMessageHandler(previous);
    HeldStderr() = nullptr;
    held.Release(true);
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
    RunProgram(gadgets, folder);
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
