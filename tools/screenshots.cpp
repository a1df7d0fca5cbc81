#include "app_context.h"
#include "balun_box.h"
#include "design_yagi.h"
#include "dialogs.h"
#include "error_handler.h"
#include "fonts.h"
#include "show_design.h"

#include "design/entry.h"
#include "shell/startup.h"
#include "state/design_state.h"

#include <QEventLoop>
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

    app::TYagibaseform7 entry(nullptr, context);
    entry.ShrinkToFourFifths();
    entry.show();
    Settle();
    entry.grab().save(dir + "/entry.png");

    NoteCoax(state, 37);
    YagiDoCalculate(GetValues(state.DesignEntry), state);
    app::TYagibaseform2 results(&entry, context);
    results.show();
    Settle();
    results.grab().save(dir + "/results.png");

    app::TfmBalunBox balun(&results, context);
    balun.show();
    Settle();
    balun.grab().save(dir + "/balun.png");
    return 0;
}
