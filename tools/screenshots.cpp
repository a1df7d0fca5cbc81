#include "app/arrays/stacking_pictures.h"
#include "app/shell/app_context.h"
#include "app/feedline/balun_window.h"
#include "app/design/design_entry_window.h"
#include "app/shell/dialogs.h"
#include "app/shell/error_handler.h"
#include "app/shell/fonts.h"
#include "app/design/results_window.h"
#include "app/exchange/conversion_dialog.h"
#include "app/exchange/mmana_export_window.h"
#include "app/exchange/yo_details_window.h"
#include "app/feedline/swr_window.h"

#include "design/entry.h"
#include "design/report.h"
#include "exchange/yo_details.h"
#include "shell/startup.h"
#include "state/design_state.h"

#include <QApplication>
#include <QEventLoop>
#include <QGuiApplication>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QScreen>
#include <QTextCursor>
#include <QPixmap>
#include <QPrinter>
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
// results window and the balun window with a worked design, then the YO
// details screen (at four fifths) with that design's Yagi, its conversion
// dialog and the MMANA-GAL export window, and saves each as a PNG in the
// folder given, for looking at them by eye.
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
    balun.close();
    // The longest coax label, which must still end left of the loop.
    state.CoaxName = "coax";
    app::BalunWindow userBalun(&results, context);
    userBalun.show();
    Settle();
    userBalun.grab().save(dir + "/balun_user.png");
    userBalun.close();

    // The SWR memo with an ordinary row and a very large SWR (equal readings),
    // at four fifths and on the whole screen: the rows must keep their columns.
    app::SwrWindow swr(nullptr, context);
    swr.ShrinkToFourFifths();
    swr.show();
    Settle();
    for (const char* reading : {"4", "100"}) {
        swr.findChild<QLineEdit*>(QStringLiteral("Edit1"))->setText(QString::fromUtf8(reading));
        swr.findChild<QLineEdit*>(QStringLiteral("Edit2"))->setText(QStringLiteral("100"));
        swr.FindSWR();
    }
    Settle();
    swr.grab().save(dir + "/swr_large.png");
    swr.setGeometry(QGuiApplication::primaryScreen()->availableGeometry());
    Settle();
    swr.grab().save(dir + "/swr_large_maximised.png");
    // The print dialog, which proposes a PDF named after the design when there
    // is no printer to choose.
    QTimer::singleShot(800, [&dir] {
        if (QWidget* modal = QApplication::activeModalWidget()) {
            modal->grab().save(dir + "/print_dialog.png");
            modal->close();
        }
    });
    dialogs.Print(&results, QString::fromStdString(ReportDocumentName(state)));

    // What the stacking window shows when a plane's picture file is missing.
    app::BothPlanesPicture().save(dir + "/stacking_both_planes.png");

    // The worked Yagi as a user types it in, with the longest texts a box takes.
    const char* typed[][2] = {{"1", "10.0"}, {"2", "416"}, {"3", "980.0"}, {"4", "7.0"},
                              {"37", "1296.3"}, {"38", "25"}, {"39", "1016.4"}, {"40", "1"},
                              {"41", "0"}};
    for (const auto& [entry, text] : typed)
        state.YoEntry[static_cast<size_t>(std::stoi(entry) - 1)] = text;
    for (int k = 1; k <= 16; ++k) {
        state.YoEntry[static_cast<size_t>(yo::DirLengthEntry(k) - 1)] = std::to_string(930 - 3 * k);
        state.YoEntry[static_cast<size_t>(yo::DirDistEntry(k) - 1)] = std::to_string(416 + 480 * k);
    }
    app::YoDetailsWindow yo(nullptr, context);
    yo.ShrinkToFourFifths();
    yo.show();
    Settle();
    yo.grab().save(dir + "/yo_details.png");

    app::ConversionDialog convert(&yo, context);
    convert.show();
    Settle();
    convert.grab().save(dir + "/conversion.png");
    convert.close();

    app::MmanaExportWindow mmana(&results, context);
    mmana.show();
    Settle();
    mmana.grab().save(dir + "/mmana.png");
    return 0;
}
