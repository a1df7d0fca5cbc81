// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/arrays/stacking_pictures.h"
#include "app/design/cut_list_window.h"
#include "app/design/design_entry_window.h"
#include "app/design/results_window.h"
#include "app/exchange/conversion_dialog.h"
#include "app/exchange/mmana_export_window.h"
#include "app/exchange/yo_details_window.h"
#include "app/feedline/balun_window.h"
#include "app/feedline/swr_window.h"
#include "app/shell/app_context.h"
#include "app/shell/dialogs.h"
#include "app/shell/error_handler.h"
#include "app/shell/fonts.h"
#include "app/shell/help_window.h"
#include "app/shell/main_window.h"
#include "app/shell/qt_dialogs.h"
#include "app/shell/user_locale.h"
#include "app/simulation/array_page.h"
#include "app/simulation/live_figures.h"
#include "app/simulation/simulation_window.h"
#include "app/simulation/tolerance_page.h"
#include "app/simulation/tune_page.h"

#include "design/entry.h"
#include "design/report.h"
#include "exchange/yo_details.h"
#include "exchange/yo_file.h"
#include "shell/startup.h"
#include "state/design_state.h"
#include "text/format.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QEventLoop>
#include <QGuiApplication>
#include <QHelpEngine>
#include <QHelpSearchEngine>
#include <QImage>
#include <QLineEdit>
#include <QListWidget>
#include <QPainter>
#include <QPixmap>
#include <QPlainTextEdit>
#include <QPrinter>
#include <QScreen>
#include <QTextCursor>
#include <QTimer>

#include <functional>
#include <memory>
#include <sstream>

namespace {

// Lets the windows be shown, activated and painted, and their simulated
// figures come.
void Settle()
{
    const auto wait = [](int ms) {
        QEventLoop loop;
        QTimer::singleShot(ms, &loop, &QEventLoop::quit);
        loop.exec();
    };
    wait(400);
    const auto busy = [] {
        for (QWidget* window : QApplication::topLevelWidgets())
            for (const auto* live : window->findChildren<tavora::app::LiveFigures*>())
                if (live->Busy())
                    return true;
        return false;
    };
    for (int i = 0; i < 600 && busy(); ++i)
        wait(50);
}

// The manual's pages show pictures at their own size, and a help browser
// scales a wider one without smoothing: make it fit beside the contents.
void SaveForManual(QWidget& window, const QString& file)
{
    constexpr int kManualWidth = 800;
    QPixmap picture = window.grab();
    if (picture.width() > kManualWidth)
        picture = picture.scaledToWidth(kManualWidth, Qt::SmoothTransformation);
    picture.save(file);
}

void Click(QWidget& window, const char* name)
{
    window.findChild<QAbstractButton*>(QString::fromUtf8(name))->click();
}
void Type(QWidget& window, const char* name, const QString& text)
{
    window.findChild<QLineEdit*>(QString::fromUtf8(name))->setText(text);
}

// Each Task window at four fifths, as its menu entry shows it, with a worked
// example filled in.
void GrabTask(tavora::app::AppContext& context, tavora::app::TaskId id, const QString& file,
              const std::function<void(QWidget&)>& fill)
{
    std::unique_ptr<tavora::app::BaseWindow> window = context.registry.Task(id)(nullptr, context);
    window->ShrinkToFourFifths();
    window->show();
    Settle();
    fill(*window);
    Settle();
    SaveForManual(*window, file);
}

// A design of the band's default sizes, as the command line makes it from
// --freq and --directors alone.
tavora::DesignState BandDesign(const char* mhz, const char* directors)
{
    using namespace tavora;
    DesignEntry e = FormDefaults();
    e.Frequency = mhz;
    e.Directors = directors;
    DesignEntry band = e;
    ApplyBandDefaults(band);
    for (auto size :
         {&DesignEntry::BoomSection, &DesignEntry::ElementDiam, &DesignEntry::ElementWidth,
          &DesignEntry::ElementThick, &DesignEntry::RadiatorDiam, &DesignEntry::RadiatorWidth,
          &DesignEntry::RadiatorThick, &DesignEntry::BendDiam, &DesignEntry::FeedGap})
        e.*size = band.*size;
    DesignState design;
    YagiDoCalculate(e, design);
    std::string report;
    Yagidimensions(design, report);
    return design;
}

// The simulation of a 17-director 13 cm design: the error bars and the notes
// on how far the model can be trusted must be legible.
void GrabSimulation13cm(tavora::app::AppContext& context, const QString& dir)
{
    using namespace tavora;
    app::SimulationWindow window(nullptr, context,
                                 app::SimulationWindow::FromDesign(BandDesign("2320", "17")));
    window.show();
    for (int i = 0; i < 150 && !window.Result(); ++i)
        Settle();
    Settle();
    window.grab().save(dir + "/simulation_2320.png");
}

// The tolerance page at 2 m and at 23 cm, after 50 builds; for the manual
// the 23 cm one alone, as its worked example.
void GrabTolerance(tavora::app::AppContext& context, const QString& dir, bool manual)
{
    using namespace tavora;
    const std::pair<const char*, const char*> bands[] = {{"144.1", "2m"}, {"1296.3", "23cm"}};
    for (const auto& [mhz, bandName] : bands) {
        if (manual && std::string(bandName) != "23cm")
            continue;
        // As `tavora-cli simulate --tolerance --freq MHZ --directors 17 --builds 50`
        // has it, for the manual's worked example.
        const DesignState design = BandDesign(mhz, "17");
        app::SimulationWindow window(nullptr, context, app::SimulationWindow::FromDesign(design));
        window.show();
        for (int i = 0; i < 150 && !window.Result(); ++i)
            Settle();
        window.ShowPage(QStringLiteral("TolerancePage"));
        auto* page = window.findChild<app::TolerancePage*>(QStringLiteral("TolerancePage"));
        page->findChild<QLineEdit*>(QStringLiteral("Builds"))->setText(QStringLiteral("50"));
        Click(*page, "RunBuilds");
        for (int i = 0; i < 150 && !page->Result(); ++i)
            Settle();
        Settle();
        if (manual)
            SaveForManual(window, dir + "/tolerance.png");
        else
            window.grab().save(dir + "/tolerance_" + bandName + ".png");
    }
}

// The pictures of the manual (help/images), under the names its pages use:
// the main window, the tool windows and the help window itself.
void GrabManual(tavora::app::AppContext& context, const QString& dir)
{
    using namespace tavora::app;
    MainWindow main(context);
    main.show();
    Settle();
    SaveForManual(main, dir + "/main-window.png");

    GrabTask(context, TaskId::Gain, dir + "/gain.png", [](QWidget& w) { Click(w, "Button1"); });
    GrabTask(context, TaskId::Stacking, dir + "/stacking.png",
             [](QWidget& w) { Click(w, "Button1"); });
    GrabTask(context, TaskId::Swr, dir + "/swr.png", [](QWidget& w) {
        Click(w, "RadioGroup2Item0");                             // Coax compensate: Yes
        w.findChild<QComboBox*>("ComboBox1")->setCurrentIndex(1); // 144 MHz
        Type(w, "Edit3", "20");
        auto* cables = w.findChild<QListWidget*>("ListBox1");
        const auto rg213 = cables->findItems(QStringLiteral("RG-213"), Qt::MatchStartsWith);
        if (!rg213.isEmpty()) {
            cables->setCurrentItem(rg213.front());
            emit cables->itemClicked(rg213.front());
        }
        Type(w, "Edit1", "4");
        Type(w, "Edit2", "100");
        Click(w, "Button1");
    });
    GrabTask(context, TaskId::Impedance, dir + "/impedance.png", [](QWidget& w) {
        Click(w, "Button1");
        Click(w, "Button2");
    });

    // The help window at the design entry topic, and searching for "balun"
    // once the index is built.
    HelpViewer viewer(context.dialogs);
    viewer.Show(nullptr, {HelpCommand::Context, HelpCollection(context.state), 30, {}});
    HelpWindow* help = viewer.Window();
    if (help == nullptr)
        return;
    Settle();
    SaveForManual(*help, dir + "/help-design-entry.png");
    QHelpSearchEngine* search = help->Engine().searchEngine();
    for (int attempt = 0; attempt < 40 && search->searchResultCount() == 0; ++attempt) {
        QEventLoop loop;
        QObject::connect(search, &QHelpSearchEngine::searchingFinished, &loop, &QEventLoop::quit);
        QTimer::singleShot(5000, &loop, &QEventLoop::quit);
        help->Search(QStringLiteral("balun"));
        loop.exec();
        Settle();
    }
    SaveForManual(*help, dir + "/help-search-balun.png");
}

// The exchange windows with the worked design: the YO details screen as
// after loading its .yag file (with a boom for the conversion), the
// conversion dialog over it, and the MMANA-GAL export of the design.
void GrabExchange(tavora::app::AppContext& context, QWidget& results, const QString& dir)
{
    using namespace tavora;
    std::istringstream yag(YagTextFromDesign(context.state));
    ReadYagValues(yag, context.state.YoEntry, app::UserDecimalSep());
    context.state.YoEntry[37] = "25"; // entry 38, the boom diameter
    app::YoDetailsWindow yo(nullptr, context);
    yo.ShrinkToFourFifths();
    yo.show();
    Settle();
    SaveForManual(yo, dir + "/yo-details.png");

    app::ConversionDialog convert(&yo, context);
    convert.show();
    Settle();
    SaveForManual(convert, dir + "/conversion.png");
    convert.close();

    app::MmanaExportWindow mmana(&results, context);
    mmana.show();
    Settle();
    SaveForManual(mmana, dir + "/mmana.png");
}

// The tune page of a 10-director design at 2 m and at 23 cm, folded dipole,
// once the window's own sweep and then the tuning have run.
void GrabTune(tavora::app::AppContext& context, QWidget& parent, const QString& dir, bool manual)
{
    using namespace tavora;
    const char sep = app::UserDecimalSep();
    for (const auto& [mhz, band] : {std::pair{"144.1", "2m"}, std::pair{"1296", "23cm"}}) {
        DesignEntry e = FormDefaults();
        e.Frequency = WithDecimalSep(mhz, sep);
        ApplyBandDefaults(e, sep);
        e.Directors = "10";
        DesignState design = context.state;
        YagiDoCalculate(e, design, sep);
        std::string report;
        Yagidimensions(design, report, sep);
        app::SimulationWindow window(&parent, context, app::SimulationWindow::FromDesign(design));
        auto* page = new app::TunePage(window, design);
        window.AddPage(page);
        window.findChild<QComboBox*>(QStringLiteral("Dipole"))->setCurrentIndex(1);
        window.show();
        for (int i = 0; i < 150 && (window.Running() || !window.Result()); ++i)
            Settle();
        window.ShowPage(QStringLiteral("TunePage"));
        Click(window, "Tune");
        for (int i = 0; i < 150 && !page->Result(); ++i)
            Settle();
        Settle();
        const QString file = dir + "/tune-" + QString::fromUtf8(band) + ".png";
        if (manual) {
            SaveForManual(window, file);
            continue;
        }
        window.grab().save(file);
        // The page as it prints, on an A4-shaped picture.
        QImage printed(1600, 2263, QImage::Format_RGB32);
        printed.fill(Qt::white);
        QPainter painter(&printed);
        page->DrawPage(painter, QRectF(40, 40, 1520, 2183), sep);
        painter.end();
        printed.save(dir + "/tune-" + QString::fromUtf8(band) + "-printed.png");
    }
}

} // namespace

// Opens the design entry screen (at four fifths, as the Task menu does), the
// results window and the balun window with a worked design, then the YO
// details screen (at four fifths) with that design's Yagi, its conversion
// dialog and the MMANA-GAL export window, and the simulation window (nec2c on
// the PATH) of the design, and saves each as a PNG in the folder given, for
// looking at them by eye.
int main(int argc, char** argv)
{
    using namespace tavora;
    app::TavoraApplication application(argc, argv);
    // Typed with the user's separator, as the program has its texts: a point
    // under a comma locale is refused, and the message box would wait.
    const char sep = app::UserDecimalSep();
    DesignState state;
    shell::InitialiseProgram(state, sep);
    app::QtDialogs dialogs;
    application.SetDialogs(&dialogs);
    app::InstallFontSubstitutes();
    app::Registry registry;
    app::RegisterWindows(registry);
    app::AppContext context{state, dialogs, registry};
    // With --manual: only the manual's pictures, under the names its pages use.
    const bool manual = argc > 2 && QString::fromLocal8Bit(argv[1]) == QStringLiteral("--manual");
    const QString dir = argc > 1 ? QString::fromLocal8Bit(argv[argc - 1]) : QStringLiteral(".");

    if (manual) {
        // The manual's worked example: the form's own choices, a 10 mm gap.
        DesignEntry example = FormDefaults();
        example.FeedGap = "10";
        state.DesignEntry = SaveValues(example);
        for (std::string& text : state.DesignEntry)
            text = WithDecimalSep(text, sep);
    }
    app::DesignEntryWindow entry(nullptr, context);
    entry.ShrinkToFourFifths();
    entry.show();
    Settle();
    if (manual)
        SaveForManual(entry, dir + "/design-entry.png");
    else
        entry.grab().save(dir + "/entry.png");

    NoteCoax(state, 37, "0", sep);
    DesignEntry values = GetValues(state.DesignEntry);
    // The director table at both ends of its length, at the default size and
    // maximised: its headings must stand over their columns at any font size.
    for (const char* directors : {"100", "8"}) {
        if (manual)
            break;
        values.Directors = directors;
        YagiDoCalculate(values, state, sep);
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
    // The worked design of 8 directors.
    values.Directors = "8";
    YagiDoCalculate(values, state, sep);
    app::ResultsWindow results(&entry, context);
    results.show();
    Settle();
    if (manual)
        SaveForManual(results, dir + "/results.png");
    else
        results.grab().save(dir + "/results.png");

    app::BalunWindow balun(&results, context);
    balun.show();
    Settle();
    balun.grab().save(dir + "/balun.png");

    app::CutListWindow cutList(&results, context);
    cutList.show();
    Settle();
    if (manual)
        SaveForManual(cutList, dir + "/cut_list.png");
    else
        cutList.grab().save(dir + "/cut_list.png");
    // With --hold-cut-list: the cut list stays on the screen, to be taken
    // from the display as the user sees it, until the tool is ended.
    if (argc > 2 && QString::fromLocal8Bit(argv[1]) == QStringLiteral("--hold-cut-list"))
        return cutList.exec();
    cutList.close();
    if (manual) {
        GrabTune(context, results, dir, true);
        GrabManual(context, dir);
        GrabExchange(context, results, dir);
        GrabTolerance(context, dir, true);
        return 0;
    }
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

    // The simulation of the default design, once nec2c has answered.
    app::SimulationWindow simulation(&results, context, app::SimulationWindow::FromDesign(state));
    simulation.show();
    for (int i = 0; i < 150 && !simulation.Result(); ++i)
        Settle();
    Settle();
    simulation.grab().save(dir + "/simulation.png");
    simulation.close();
    GrabTune(context, results, dir, false);
    GrabTolerance(context, dir, false);
    GrabSimulation13cm(context, dir);

    // The same design stacked, with its spacing sweep.
    app::SimulationWindow stacked(&results, context, app::SimulationWindow::FromDesign(state));
    stacked.ShowPage(QStringLiteral("ArrayPage"));
    stacked.show();
    auto* array = stacked.findChild<app::ArrayPage*>(QStringLiteral("ArrayPage"));
    array->Start();
    for (int i = 0; i < 150 && !array->Result(); ++i)
        Settle();
    Settle();
    stacked.grab().save(dir + "/simulation_array.png");

    // The worked Yagi as a user types it in, with the longest texts a box takes.
    const char* typed[][2] = {{"1", "10.0"},    {"2", "416"},     {"3", "980.0"},
                              {"4", "7.0"},     {"37", "1296.3"}, {"38", "25"},
                              {"39", "1016.4"}, {"40", "1"},      {"41", "0"}};
    for (const auto& [entry, text] : typed)
        state.YoEntry[static_cast<size_t>(std::stoi(entry) - 1)] = WithDecimalSep(text, sep);
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
