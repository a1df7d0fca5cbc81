#include "app/shell/app_context.h"
#include "app/feedline/balun_window.h"
#include "app/design/design_entry_window.h"
#include "app/shell/dialogs.h"
#include "app/shell/error_handler.h"
#include "app/shell/fonts.h"
#include "app/design/results_window.h"

#include "design/entry.h"
#include "shell/startup.h"
#include "state/design_state.h"

#include <QEventLoop>
#include <QGuiApplication>
#include <QPlainTextEdit>
#include <QScreen>
#include <QTextCursor>
#include <QPixmap>
#include <QTimer>

namespace {

// Lets the windows be shown, activated and painted.
void Settle()
{
    QEventLoop loop;
    QTimer::singleShot(400, &loop, &QEventLoop::quit);
    loop.exec();
}

} // namespace

// Opens the design entry screen (at four fifths, as the Task menu does), the
// results window and the balun window with a worked design, and saves each as
// a PNG in the folder given, for looking at them by eye.
int main(int argc, char** argv)
{
    using namespace tavora;
    DesignState state;
    shell::InitialiseProgram(state);
    app::TavoraApplication application(argc, argv);
    app::QtDialogs dialogs;
    application.SetDialogs(&dialogs);
    app::InstallFontSubstitutes();
    app::Registry registry;
    app::RegisterWindows(registry);
    app::AppContext context{state, dialogs, registry};
    const QString dir = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral(".");

    app::DesignEntryWindow entry(nullptr, context);
    entry.ShrinkToFourFifths();
    entry.show();
    Settle();
    entry.grab().save(dir + "/entry.png");

    NoteCoax(state, 37);
    DesignEntry values = GetValues(state.DesignEntry);
    // The director table at both ends of its length, at the default size and
    // maximised: its headings must stand over their columns at any font size.
    for (const char* directors : {"100", "8"}) {
        values.Directors = directors;
        YagiDoCalculate(values, state);
        app::ResultsWindow window(&entry, context);
        window.show();
        Settle();
        window.grab().save(dir + "/results_" + directors + ".png");
        // Without a window manager nothing maximises: take the whole screen.
        window.setGeometry(QGuiApplication::primaryScreen()->availableGeometry());
        window.ReportBox()->moveCursor(QTextCursor::End);
        Settle();
        window.grab().save(dir + "/results_" + directors + "_maximised.png");
    }
    app::ResultsWindow results(&entry, context);
    results.show();
    Settle();
    results.grab().save(dir + "/results.png");

    app::BalunWindow balun(&results, context);
    balun.show();
    Settle();
    balun.grab().save(dir + "/balun.png");
    return 0;
}
