// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/arrays/gain_window.h"
#include "app/arrays/stacking_window.h"
#include "app/design/design_entry_window.h"
#include "app/design/results_window.h"
#include "app/exchange/conversion_dialog.h"
#include "app/exchange/mmana_export_window.h"
#include "app/exchange/yo_details_window.h"
#include "app/feedline/balun_window.h"
#include "app/feedline/impedance_window.h"
#include "app/feedline/swr_window.h"
#include "app/shell/about_box.h"
#include "app/shell/main_window.h"
#include "app/simulation/simulation_window.h"
#include "app/simulation/tune_page.h"
#include "tool_test.h"

#include "design/entry.h"
#include "exchange/yo_details.h"

#include <QAbstractButton>
#include <QApplication>
#include <QLabel>
#include <QMenuBar>
#include <QSet>

using namespace tavora;
using namespace tavora::app;
using namespace tavora::test;

namespace {

// The letter after the single "&" of a caption, or nothing.
QChar AccessKey(const QString& caption)
{
    const qsizetype at = caption.indexOf(QLatin1Char('&'));
    return at >= 0 && at + 1 < caption.size() ? caption[at + 1].toUpper() : QChar();
}

// Every window of the program, made as the program makes it.
std::vector<std::unique_ptr<QWidget>> AllWindows(AppContext& context)
{
    std::vector<std::unique_ptr<QWidget>> w;
    w.push_back(std::make_unique<MainWindow>(context));
    w.push_back(std::make_unique<DesignEntryWindow>(nullptr, context));
    w.push_back(std::make_unique<ResultsWindow>(nullptr, context));
    w.push_back(std::make_unique<GainWindow>(nullptr, context));
    w.push_back(std::make_unique<StackingWindow>(nullptr, context));
    w.push_back(std::make_unique<SwrWindow>(nullptr, context));
    w.push_back(std::make_unique<ImpedanceWindow>(nullptr, context));
    w.push_back(std::make_unique<BalunWindow>(nullptr, context));
    w.push_back(std::make_unique<YoDetailsWindow>(nullptr, context));
    w.push_back(std::make_unique<ConversionDialog>(nullptr, context));
    w.push_back(std::make_unique<MmanaExportWindow>(nullptr, context));
    auto simulation = std::make_unique<SimulationWindow>(
        nullptr, context, SimulationWindow::FromDesign(context.state));
    simulation->AddPage(new TunePage(*simulation, context.state)); // as the results window does
    w.push_back(std::move(simulation));
    w.push_back(std::make_unique<AboutBox>(nullptr));
    return w;
}

} // namespace

// Runs in the program's folder: the windows read its data files, and nothing
// here writes a file.
class KeyboardTest : public QObject {
    Q_OBJECT
    ModalWatchdog watchdog_;

  private slots:
    void cleanup()
    {
        QVERIFY2(watchdog_.Failures().isEmpty(), qPrintable(watchdog_.Failures().join('\n')));
    }

    void everyButtonHasAnAccessKeyOfItsOwnInItsWindow()
    {
        Harness h;
        for (const auto& window : AllWindows(h.context)) {
            const QString name = window->objectName();
            QSet<QChar> taken;
            // The menus' keys are the window's too, a hidden menu's included:
            // the menu bar answers its Alt key all the same.
            for (QMenuBar* bar : window->findChildren<QMenuBar*>())
                for (QAction* menu : bar->actions())
                    taken.insert(AccessKey(menu->text()));
            for (QAbstractButton* button : window->findChildren<QAbstractButton*>()) {
                if (qobject_cast<QRadioButton*>(button) || button->text().isEmpty())
                    continue;
                const QChar key = AccessKey(button->text());
                QVERIFY2(key.isLetterOrNumber(), qPrintable(name + ": " + button->text()));
                QVERIFY2(!taken.contains(key), qPrintable(name + ": " + button->text()));
                taken.insert(key);
            }
        }
    }

    void everyWindowNamesTheCurrentReleaseFromTheStart()
    {
        Harness h;
        for (const auto& window : AllWindows(h.context))
            if (auto* base = qobject_cast<BaseWindow*>(window.get()))
                QCOMPARE(base->VersionLine()->text(), QStringLiteral(" Version 2.6.10"));
    }

    void enterInABoxCalculates_data()
    {
        QTest::addColumn<int>("window");
        QTest::addColumn<QString>("box");
        QTest::newRow("stacking: the stacking distance is written") << 0 << "Edit1";
        QTest::newRow("SWR: a reading is added") << 1 << "Edit2";
        QTest::newRow("impedance, quarter wave: that group alone calculates") << 2 << "Edit4";
        QTest::newRow("impedance, rods: that group alone calculates") << 3 << "Edit1";
    }
    void enterInABoxCalculates()
    {
        QFETCH(int, window);
        QFETCH(QString, box);
        Harness h;
        std::unique_ptr<BaseWindow> w;
        switch (window) {
        case 0:
            w = std::make_unique<StackingWindow>(nullptr, h.context);
            break;
        case 1:
            w = std::make_unique<SwrWindow>(nullptr, h.context);
            Choose(w.get(), "RadioGroup2Item0");
            Type(w.get(), "Edit1", "4");
            Type(w.get(), "Edit2", "100");
            break;
        default:
            w = std::make_unique<ImpedanceWindow>(nullptr, h.context);
        }
        w->show();
        QVERIFY(QTest::qWaitForWindowActive(w.get()));
        const int memoLines = window < 2 ? MemoLines(w.get()).size() : 0;
        QLineEdit* edit = Find<QLineEdit>(w.get(), box.toUtf8());
        edit->setFocus();
        QTRY_VERIFY(edit->hasFocus());
        QTest::keyClick(edit, Qt::Key_Return);
        if (window < 2) {
            QTRY_VERIFY(MemoLines(w.get()).size() > memoLines);
        } else {
            // Each group shows its answer box once it has calculated.
            QTRY_VERIFY(Find<QLineEdit>(w.get(), window == 2 ? "Edit8" : "Edit3")->isVisible());
            QVERIFY(!Find<QLineEdit>(w.get(), window == 2 ? "Edit3" : "Edit8")->isVisible());
        }
        QVERIFY2(h.dialogs.messages.isEmpty(), qPrintable(h.dialogs.MessageTexts().join('\n')));
    }

    void enterInTheFrequencyBoxLeavesItAndOpensTheResults()
    {
        Harness h;
        DesignEntryWindow w(nullptr, h.context);
        w.show();
        QVERIFY(QTest::qWaitForWindowActive(&w));
        QLineEdit* frequency = Find<QLineEdit>(&w, "Edit1");
        frequency->setFocus();
        QTRY_VERIFY(frequency->hasFocus());
        frequency->setText(Typed("432"));
        bool opened = false;
        WhenModalOpens([&opened](QWidget* modal) {
            opened = qobject_cast<ResultsWindow*>(modal) != nullptr;
            modal->close();
        });
        QTest::keyClick(frequency, Qt::Key_Return);
        QTRY_VERIFY(opened);
        // Left as a click on Calculate leaves it: the band's feed gap was written.
        QCOMPARE(Find<QLineEdit>(&w, "Edit8")->text(), QStringLiteral("10"));
    }

    void tabRunsThroughTheDirectorGridRowByRow()
    {
        Harness h;
        YoDetailsWindow w(nullptr, h.context);
        w.show();
        QVERIFY(QTest::qWaitForWindowActive(&w));
        w.Box(yo::DirLengthEntry(1))->setFocus();
        QTRY_VERIFY(w.Box(yo::DirLengthEntry(1))->hasFocus());
        QStringList expected, visited;
        for (int k = 1; k <= yo::kRows; ++k)
            expected << w.Box(yo::DirLengthEntry(k))->objectName()
                     << w.Box(yo::DirDistEntry(k))->objectName();
        for (int i = 0; i < 2 * yo::kRows; ++i) {
            visited << QApplication::focusWidget()->objectName();
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        }
        QCOMPARE(visited, expected);
    }

    void proposedFileNamesHaveNoBlankBeforeTheExtension_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("name");
        QTest::newRow("a balun title ending in the coax list's blanks")
            << "Balun for 144.1 MHz using 687 mm loop of RG-213 (PE)  "
            << "Balun for 144.1 MHz using 687 mm loop of RG-213 (PE).pdf";
        QTest::newRow("a name typed with blanks around it") << " Yagi01 "
                                                            << "Yagi01.pdf";
    }
    void proposedFileNamesHaveNoBlankBeforeTheExtension()
    {
        QFETCH(QString, text);
        QFETCH(QString, name);
        QCOMPARE(ProposedFileName(text, QStringLiteral("pdf")), name);
    }
};

TAVORA_UI_TEST_MAIN(KeyboardTest)
#include "keyboard_test.moc"
