#include "program.h"

#include "app_context.h"
#include "dialogs.h"
#include "error_handler.h"
#include "fonts.h"
#include "opening.h"
#include "shell/startup.h"
#include "state/design_state.h"

#include <cstdio>
#include <cstdlib>
#include <iostream>

namespace tavora::app {

namespace {

// The toolkit aborts when it cannot open the display it was pointed at (a
// DISPLAY nobody answers); say it in our one line instead.
void NoDisplayHandler(QtMsgType type, const QMessageLogContext&, const QString& message) {
    if (type == QtFatalMsg) {
        std::cerr << shell::kNoDisplay << std::endl;
        std::_Exit(1);
    }
    if (type != QtDebugMsg)
        std::cerr << message.toLocal8Bit().constData() << '\n';
}

std::string Env(const char* name) {
    const char* value = std::getenv(name);
    return value == nullptr ? std::string() : std::string(value);
}

} // namespace

int RunTavora(int argc, char** argv) {
    if (!shell::HasDisplay(Env)) {
        std::cerr << shell::kNoDisplay << '\n';
        return 1;
    }

    DesignState state;
    shell::InitialiseProgram(state);
    QtDialogs dialogs; // also the help viewer

    const QtMessageHandler previous = qInstallMessageHandler(NoDisplayHandler);
    TavoraApplication application(argc, argv);
    qInstallMessageHandler(previous);
    application.SetDialogs(&dialogs);
    InstallFontSubstitutes();

    Registry registry;
    RegisterWindows(registry);
    AppContext context{state, dialogs, registry};
    TYagibaseform1 mainWindow(context);
    QApplication::setApplicationName(QString::fromUtf8(shell::kProgramTitle));

    mainWindow.show();
    return application.exec();
}

} // namespace tavora::app
