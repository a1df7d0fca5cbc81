// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/shell/program.h"

#include "app/shell/app_context.h"
#include "app/shell/dialogs.h"
#include "app/shell/error_handler.h"
#include "app/shell/fonts.h"
#include "app/shell/main_window.h"
#include "app/shell/qt_dialogs.h"
#include "app/shell/user_locale.h"
#include "nec/stop_signals.h"
#include "shell/startup.h"
#include "shell/version.h"
#include "state/design_state.h"

#include <QFileInfo>
#include <QIcon>
#include <QStringList>
#include <QTimer>

#include <filesystem>

#include <cstdio>
#include <cstdlib>
#include <iostream>

namespace tavora::app {

namespace {

// The toolkit aborts when it cannot open the display it was pointed at (a
// DISPLAY nobody answers); say it in our one line instead. Its other remarks
// while starting are passed on once it has started. A message handler is a
// plain function, hence the one file-level list.
QStringList& StartupRemarks()
{
    static QStringList remarks;
    return remarks;
}

void NoDisplayHandler(QtMsgType type, const QMessageLogContext&, const QString& message)
{
    if (type == QtFatalMsg) {
        std::cerr << shell::kNoDisplay << std::endl;
        std::_Exit(1);
    }
    if (type != QtDebugMsg)
        StartupRemarks() << message;
}

std::string Env(const char* name)
{
    const char* value = std::getenv(name);
    return value == nullptr ? std::string() : std::string(value);
}

} // namespace

int ExecUntilStopped()
{
    // A signal handler may not call the toolkit: the loop looks for a caught
    // signal instead. Exiting it returns every window's loop, modal ones too.
    QTimer watch;
    QObject::connect(&watch, &QTimer::timeout, [] {
        if (StopSignals::Caught() != 0)
            QCoreApplication::exit(1);
    });
    watch.start(50);
    return QApplication::exec();
}

int RunTavora(int argc, char** argv)
{
    // Answered before any window system is asked for, so that they work anywhere.
    const std::string first = argc > 1 ? argv[1] : "";
    if (first == "--version") {
        std::cout << "tavora " << shell::kVersion << '\n'
                  << shell::kLicenceLine << '\n'
                  << shell::kNoWarranty << '\n';
        return 0;
    }
    if (first == "--help" || first == "-h") {
        std::cout << "Usage: tavora [FILE.yag]\n"
                     "Design DL6WU long Yagi antennas for VHF and UHF; a .yag file named is\n"
                     "opened on the YO details screen. tavora-cli runs the same calculations\n"
                     "without a window. A file name that starts with - goes after --.\n\n"
                     "  -h, --help     Print this help and exit\n"
                     "      --version  Print the version and licence and exit\n";
        return 0;
    }
    if (!shell::HasDisplay(Env)) {
        std::cerr << shell::kNoDisplay << '\n';
        return 1;
    }

    QtDialogs dialogs; // also the help viewer

    const QtMessageHandler previous = qInstallMessageHandler(NoDisplayHandler);
    TavoraApplication application(argc, argv);
    qInstallMessageHandler(previous);
    // What the toolkit left of the command line (it takes its own options,
    // such as -platform): a file to open, or an option of ours we do not know,
    // which is refused rather than opened as a file of that name.
    int fileArg = argc > 1 ? 1 : 0;
    if (fileArg != 0 && argv[1] == std::string("--"))
        fileArg = argc > 2 ? 2 : 0;
    else if (fileArg != 0 && argv[1][0] == '-' && argv[1][1] != '\0') {
        std::cerr << "tavora: unknown option " << argv[1] << "; see tavora --help\n";
        return 2;
    }
    for (const QString& remark : StartupRemarks())
        qWarning().noquote() << remark;
    application.SetDialogs(&dialogs);
    // Before the windows: once they have closed and their runs have ended,
    // a caught stop signal ends the program.
    const StopSignals stopSignals;
    InstallFontSubstitutes();
    // After the application object, which takes the user's locale.
    DesignState state;
    shell::InitialiseProgram(state, UserDecimalSep());

    Registry registry;
    RegisterWindows(registry);
    AppContext context{state, dialogs, registry};
    MainWindow mainWindow(context);
    QApplication::setApplicationName(QString::fromUtf8(shell::kProgramTitle));
    // The installed menu entry and icon: Wayland desktops match the window to
    // the entry by this name; the icon comes from the icon theme.
    QGuiApplication::setDesktopFileName(QStringLiteral("org.tavora.Tavora"));
    QApplication::setWindowIcon(QIcon::fromTheme(QStringLiteral("tavora")));

    mainWindow.show();
    // A file named on the command line (a double-click on a .yag file), taken
    // before any dialog can move the working folder. Its bytes are passed on
    // as they are: a name need not be valid UTF-8 (the application object has
    // taken its own options out of argv).
    if (fileArg != 0) {
        std::error_code ec;
        const std::string file = std::filesystem::absolute(argv[fileArg], ec).string();
        QTimer::singleShot(0, &mainWindow, [&mainWindow, file] { mainWindow.OpenYagFile(file); });
    }
    return ExecUntilStopped();
}

} // namespace tavora::app
