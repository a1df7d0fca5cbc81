// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/exchange/conversion_dialog.h"
#include "app/exchange/mmana_export_window.h"
#include "app/exchange/yo_details_window.h"
#include "app/shell/form_scaler.h"
#include "app/shell/main_window.h"
#include "app/shell/radio_group.h"
#include "app/shell/user_locale.h"
#include "exchange_test.h"

#include "state/design_state.h"

#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QMenu>

using namespace tavora;
using namespace tavora::app;
using namespace tavora::test;

namespace {

QString BoxText(YoDetailsWindow& w, int entry)
{
    return w.Box(entry)->text();
}

// Numbers as the user types them, with the user's separator.
void TypeEntries(YoDetailsWindow& w, const std::vector<std::pair<int, QString>>& entries)
{
    for (const auto& [n, text] : entries)
        w.Box(n)->setText(Typed(text));
}

int Selected(YoDetailsWindow& w, const char* group)
{
    return Find<RadioGroup>(&w, group)->ItemIndex();
}

// Mounting item (" Elements ") and source item (" Calculate frequency from ").
void ChooseMounting(YoDetailsWindow& w, int item)
{
    Choose(&w, QStringLiteral("RadioGroup1Item%1").arg(item).toUtf8());
}
void ChooseSource(YoDetailsWindow& w, int item)
{
    Choose(&w, QStringLiteral("RadioGroup2Item%1").arg(item).toUtf8());
}

const std::vector<std::pair<int, QString>> kEstimateBoxes = {
    {3, "980"}, {1, "6"}, {39, "1030"}, {4, "6"}, {38, "20"}};

} // namespace

class YoDetailsWindowTest : public test::FolderTest {
    Q_OBJECT

    // A screen shown and active, so that focus can be checked.
    static void Show(YoDetailsWindow& w)
    {
        w.show();
        QVERIFY(QTest::qWaitForWindowActive(&w));
    }

  private slots:
    void theTaskEntryOpensAFirstScreenWithZerosAndTheStartSelections()
    {
        Harness h;
        RegisterWindows(h.registry);
        MainWindow main(h.context);
        QAction* entry = main.findChild<QAction*>("YO_calc");
        QVERIFY(entry->isEnabled());
        bool seen = false;
        WhenModalOpens([&](QWidget* modal) {
            auto* w = qobject_cast<YoDetailsWindow*>(modal);
            QVERIFY(w);
            seen = true;
            QCOMPARE(w->windowTitle(), QStringLiteral("Make YO file "));
            for (int n = 1; n <= 39; ++n)
                QCOMPARE(BoxText(*w, n), QStringLiteral("0"));
            QCOMPARE(Selected(*w, "RadioGroup2"), 3);
            QCOMPARE(Find<QRadioButton>(w, "RadioGroup2Item3")->text(),
                     QStringLiteral(" Use frequency estimate"));
            QCOMPARE(Selected(*w, "RadioGroup1"), 2);
            QCOMPARE(Find<QRadioButton>(w, "RadioGroup1Item2")->text(),
                     QStringLiteral("Non metal"));
            QVERIFY(w->Box(37)->isReadOnly());
            QTRY_COMPARE(w->VersionLine()->font().pointSize(), 10);
            // File keeps Exit and gains Load Yag file; Task is hidden.
            QStringList file;
            for (QAction* a : w->Menu(BaseMenu::File)->actions())
                if (a->isVisible() && !a->isSeparator())
                    file << a->text();
            QCOMPARE(file, (QStringList{"E&xit", "&Load Yag file"}));
            QVERIFY(!w->Menu(BaseMenu::Task)->menuAction()->isVisible());
            QVERIFY(w->Menu(BaseMenu::Help)->menuAction()->isVisible());
            w->close();
        });
        entry->trigger();
        QVERIFY(seen);
        QCOMPARE(h.dialogs.messages.size(), 0);
    }

    void tabGoesThroughTheBoxesInTheirOrder()
    {
        Harness h;
        YoDetailsWindow w(nullptr, h.context);
        QList<int> order;
        QWidget* next = w.Box(38);
        do {
            if (auto* box = qobject_cast<QLineEdit*>(next))
                order << box->objectName().mid(4).toInt();
            next = next->nextInFocusChain();
        } while (next != w.Box(38));
        QList<int> expected{38, 39, 2, 3, 1, 4, 37};
        for (int n = 5; n <= 36; ++n)
            expected << n;
        QCOMPARE(order, expected);
    }

    void singleRodDipoleWithEveryBoxZeroNamesTheReflectorBox()
    {
        Harness h;
        YoDetailsWindow w(nullptr, h.context);
        Show(w);
        ChooseSource(w, 1);
        QCOMPARE(h.dialogs.MessageTexts(), QStringList{"Reflector Length box empty or zero!"});
        QCOMPARE(w.focusWidget(), w.Box(39));
        QCOMPARE(Selected(w, "RadioGroup2"), 1);
        QVERIFY(w.Box(37)->isReadOnly());
        // Clicking the item already selected does nothing.
        ChooseSource(w, 1);
        QCOMPARE(h.dialogs.messages.size(), 1);
    }

    void throughWithABoomOfZeroStopsEveryEstimate_data()
    {
        QTest::addColumn<int>("source");
        QTest::newRow("from the reflector") << 0;
        QTest::newRow("from a single rod dipole") << 1;
        QTest::newRow("from a folded dipole") << 2;
        QTest::newRow("typed by the user") << 3;
    }
    void throughWithABoomOfZeroStopsEveryEstimate()
    {
        QFETCH(int, source);
        Harness h;
        YoDetailsWindow w(nullptr, h.context);
        Show(w);
        TypeEntries(w, kEstimateBoxes);
        w.Box(38)->setText("0");
        ChooseSource(w, source);
        h.dialogs.messages.clear();
        ChooseMounting(w, 0);
        QCOMPARE(h.dialogs.MessageTexts(), QStringList{"Boom Diameter box empty or zero!"});
        QCOMPARE(w.focusWidget(), w.Box(38));
        // Non metal needs no boom.
        h.dialogs.messages.clear();
        ChooseMounting(w, 2);
        QCOMPARE(h.dialogs.MessageTexts(), QStringList{});
    }

    void workedEstimates_data()
    {
        QTest::addColumn<int>("mounting");
        QTest::addColumn<int>("source");
        QTest::addColumn<QString>("frequency");
        QTest::newRow("a single rod dipole of 980 by 6 works at 145.0") << 2 << 1 << "145.0";
        QTest::newRow("a folded dipole of 980 by 6 works at 147.8") << 2 << 2 << "147.8";
        QTest::newRow("a reflector of 1030 on a non-metal boom gives 142.3") << 2 << 0 << "142.3";
        QTest::newRow("through a 20 mm boom it gives 143.0") << 0 << 0 << "143.0";
        QTest::newRow("insulated through it gives 142.7") << 1 << 0 << "142.7";
    }
    void workedEstimates()
    {
        QFETCH(int, mounting);
        QFETCH(int, source);
        QFETCH(QString, frequency);
        Harness h;
        YoDetailsWindow w(nullptr, h.context);
        Show(w);
        TypeEntries(w, kEstimateBoxes);
        if (mounting != 2) {
            ChooseMounting(w, mounting);
            QVERIFY(!w.Box(37)->isReadOnly()); // the estimate source lets the user type
        }
        ChooseSource(w, source);
        QCOMPARE(BoxText(w, 37), Typed(frequency));
        QVERIFY(w.Box(37)->isReadOnly());
        QCOMPARE(h.state.YoEntry[36], Typed(frequency).toStdString());
        QCOMPARE(h.dialogs.messages.size(), 0);
    }

    void aStoredSelectionRunsTheEstimateAsTheScreenOpens()
    {
        Harness h;
        for (const auto& [n, text] : kEstimateBoxes)
            h.state.YoEntry[static_cast<size_t>(n - 1)] = text.toStdString();
        h.state.YoEntry[39] = "0";
        YoDetailsWindow w(nullptr, h.context);
        QCOMPARE(BoxText(w, 37), Typed("142.3"));
        QCOMPARE(Selected(w, "RadioGroup2"), 0);
        h.state.YoEntry[39] = "-1"; // none: the estimate computes nothing
        YoDetailsWindow none(nullptr, h.context);
        QCOMPARE(Selected(none, "RadioGroup2"), -1);
        QVERIFY(none.Box(37)->isReadOnly());
        QCOMPARE(h.dialogs.messages.size(), 0);
    }

    void aDamagedSelectionIsReportedAndTheScreenStillOpens()
    {
        Harness h;
        h.state.YoEntry[0] = "12";
        h.state.YoEntry[40] = "x";
        YoDetailsWindow w(nullptr, h.context);
        QCOMPARE(h.dialogs.MessageTexts(), QStringList{"'x' is not a valid integer value"});
        QCOMPARE(BoxText(w, 1), QStringLiteral("12"));
    }

    void makeMmanaCountsTheDirectorsAndExportsWhatTheCommandLineExports()
    {
        Harness h;
        h.state.Mounting = 'Y';
        YoDetailsWindow w(nullptr, h.context);
        auto fiveDirectors = WorkedYagi();
        for (int k = 6; k <= 8; ++k)
            fiveDirectors.insert(fiveDirectors.end(), {{3 + 2 * k, "0"}, {4 + 2 * k, "0"}});
        TypeEntries(w, fiveDirectors);
        int dipoleItems = 0;
        WhenModalOpens([&](QWidget* modal) {
            auto* mmana = qobject_cast<MmanaExportWindow*>(modal);
            QVERIFY(mmana);
            dipoleItems = mmana->List(8)->count();
            mmana->List(1)->setCurrentText("800");
            mmana->List(5)->setCurrentIndex(2);
            h.dialogs.saveFiles.push_back(QDir::current().filePath("screen.maa"));
            Click(mmana, "Button1");
            mmana->close();
        });
        Click(&w, "PButton4");
        QCOMPARE(h.state.DirCount, 5);
        QCOMPARE(h.state.DirSpacing[1], 572.0 - 416);
        QCOMPARE(dipoleItems, 1); // no folded dipole geometry here
        QCOMPARE(h.dialogs.unexpected, QStringList{});
        QCOMPARE(h.dialogs.messages.size(), 0); // the screen made the mounting non-metal
        QCOMPARE(h.state.Mounting, 'N');
        QCOMPARE(Cli(QStringList{"yo"} + SetOptions(fiveDirectors) +
                     QStringList{"--maa", "cli.maa", "--dm1", "800", "--ground", "2"}),
                 QString());
        QCOMPARE(FileBytes("screen.maa"), FileBytes("cli.maa"));

        // Director 3 at the same distance as director 2.
        w.Box(10)->setText(BoxText(w, 8));
        Click(&w, "PButton4");
        QCOMPARE(h.dialogs.MessageTexts(),
                 QStringList{"Director lengths and director spacing mismatch, check entries"});
        w.Box(10)->setText("x");
        Click(&w, "PButton4");
        QCOMPARE(h.dialogs.MessageTexts().last(),
                 QStringLiteral("Dir 3 Dist from reflector must be a number, not 'x'"));
        // The boxes were converted, never copied into the group.
        QCOMPARE(h.state.YoEntry[9], std::string("0"));
    }

    void backThenReopeningShowsTheSameTextsAndSelections()
    {
        Harness h;
        RegisterWindows(h.registry);
        MainWindow main(h.context);
        const auto visit = [&](const std::function<void(YoDetailsWindow&)>& body) {
            WhenModalOpens([&](QWidget* modal) {
                auto* w = qobject_cast<YoDetailsWindow*>(modal);
                QVERIFY(w);
                body(*w);
            });
            main.findChild<QAction*>("YO_calc")->trigger();
        };
        visit([](YoDetailsWindow& w) {
            TypeEntries(w, WorkedYagi());
            ChooseMounting(w, 1);
            w.Box(37)->setText("145.5");
            Click(&w, "PButton2"); // Back
        });
        visit([](YoDetailsWindow& w) {
            for (const auto& [n, text] : WorkedYagi())
                QCOMPARE(BoxText(w, n), n == 37 ? QStringLiteral("145.5") : Typed(text));
            QCOMPARE(Selected(w, "RadioGroup1"), 1);
            QCOMPARE(Selected(w, "RadioGroup2"), 3);
            w.findChild<QAction*>("Exit1")->trigger();
        });
        QCOMPARE(h.state.YoEntry[36], std::string("145.5"));
        QCOMPARE(h.state.YoEntry[40], std::string("1"));
    }

    void loadingCancelledKeepsTheTypedTexts()
    {
        Harness h;
        YoDetailsWindow w(nullptr, h.context);
        w.Box(39)->setText("1030");
        h.dialogs.openFiles.push_back(QString());
        w.findChild<QAction*>("LoadYag1")->trigger();
        QCOMPARE(BoxText(w, 39), QStringLiteral("1030"));
        QCOMPARE(h.dialogs.fileDialogs.size(), 1);
        const FileDialogOptions& asked = h.dialogs.fileDialogs[0];
        QCOMPARE(asked.title, QStringLiteral("Get YO file"));
        QCOMPARE(asked.defaultExt, QStringLiteral("yag"));
        QCOMPARE(asked.filter, QStringLiteral("Yagi Optimiser (*.yag);;All files (*.*)"));
        QCOMPARE(asked.initialName, QDir::current().filePath("Untitled.yag"));
        QCOMPARE(h.dialogs.messages.size(), 0);
    }

    void aFailedLoadShowsNoConfirmation()
    {
        Harness h;
        YoDetailsWindow w(nullptr, h.context);
        w.Box(39)->setText("1030");
        h.dialogs.openFiles.push_back(QDir::current().filePath("missing.yag"));
        w.LoadYag();
        QCOMPARE(h.dialogs.MessageTexts(), QStringList{"No yag file found"});
        QCOMPARE(h.dialogs.beeps, 1);
        QCOMPARE(BoxText(w, 39), QStringLiteral("1030"));
    }

    void aFileThatIsRefusedSaysWhyAndChangesNothing_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QString>("message");
        const QByteArray rest = "\t7\t10\r\n0\t1016\r\n416\t\t980\r\n";
        QTest::newRow("an empty file is no YO file")
            << QByteArray()
            << "Not a YO file: it ends before its frequency line; nothing was loaded";
        QTest::newRow("a fractional element count is no YO file")
            << "Bad\r\n432.1 MHz\r\n10.0 Elements\r\n" + rest
            << "Not a YO file: the element count on line 3 is not a whole number; nothing was "
               "loaded";
        QTest::newRow("a decimal comma names its line")
            << "Bad\r\n144,10 MHz\r\n10 Elements\r\n" + rest
            << "Line 2 \"144,10 MHz\": \"144,10\" is not a number with a decimal point and no "
               "sign or exponent; nothing was loaded";
        QByteArray binary("Bad\r\n144");
        binary += QByteArray("\0\xff\x01", 3) + " MHz\r\n10 Elements\r\n" + rest;
        QTest::newRow("a binary line shows its bytes as \\xNN")
            << binary
            << "Line 2 \"144\\x00\\xFF\\x01 MHz\": \"144\\x00\\xFF\\x01\" is not a number with a "
               "decimal point and no sign or exponent; nothing was loaded";
    }

    void aFileThatIsRefusedSaysWhyAndChangesNothing()
    {
        QFETCH(QByteArray, file);
        QFETCH(QString, message);
        Harness h;
        YoDetailsWindow w(nullptr, h.context);
        w.Box(37)->setText("50");
        w.Box(39)->setText("1030");
        QFile bad(QDir::current().filePath("bad.yag"));
        QVERIFY(bad.open(QIODevice::WriteOnly));
        bad.write(file);
        bad.close();
        h.dialogs.openFiles.push_back(bad.fileName());
        Find<QAction>(&w, "LoadYag1")->trigger();
        QTRY_COMPARE(h.dialogs.MessageTexts(), QStringList{message});
        QCOMPARE(BoxText(w, 37), QStringLiteral("50"));
        QCOMPARE(BoxText(w, 39), QStringLiteral("1030"));
        QCOMPARE(h.state.YoEntry[36], std::string("50"));
    }

    void directorsBeyondSixteenAreNamed()
    {
        Harness h;
        YoDetailsWindow w(nullptr, h.context);
        QByteArray text =
            "Long\r\n144.10 MHz\r\n30 Elements\r\n\t6\t8\r\n0\t1030\r\n400\t\t980\r\n";
        for (int k = 1; k <= 28; ++k)
            text += QByteArray::number(500 * k) + "\t" + QByteArray::number(950 - k) + "\r\n";
        QFile file(QDir::current().filePath("long.yag"));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(text);
        file.close();
        h.dialogs.openFiles.push_back(file.fileName());
        w.LoadYag();
        QCOMPARE(
            h.dialogs.MessageTexts(),
            QStringList{"   long.yag loaded   \n28 directors in the file; the screen holds 16: "
                        "directors 17 to 28 were not loaded"});
        QCOMPARE(BoxText(w, 36), QStringLiteral("8000")); // director 16's distance
        QCOMPARE(BoxText(w, 35), QStringLiteral("934"));
    }

    // A YO file may write a diameter as ".5" or "4.": the boxes show it with
    // the user's separator, and Make YO writes it back with a point.
    void diametersWithADigitOnOneSideLoadWithTheUsersSeparator()
    {
        Harness h;
        YoDetailsWindow w(nullptr, h.context);
        QFile file(QDir::current().filePath("short.yag"));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("Short\r\n144.10 MHz\r\n3 Elements\r\n\t.5\t4.\r\n0\t1016\r\n416\t\t980\r\n");
        file.close();
        h.dialogs.openFiles.push_back(file.fileName());
        w.LoadYag();
        const QString sep(QChar::fromLatin1(UserDecimalSep()));
        QCOMPARE(BoxText(w, 4), sep + "5");
        QCOMPARE(BoxText(w, 1), "4" + sep);
        h.dialogs.prompts.push_back(QStringLiteral("Short"));
        h.dialogs.saveFiles.push_back(QDir::current().filePath("again.yag"));
        Click(&w, "PButton3");
        QCOMPARE(h.dialogs.MessageTexts(),
                 (QStringList{"   short.yag loaded   ", "YO file saved"}));
        QVERIFY(FileBytes("again.yag").contains("\t.5\t4.\r\n"));
    }

    void makeYoWritesTheFileTheCommandLineWrites()
    {
        Harness h;
        h.state.YagiDescription = "Old";
        YoDetailsWindow w(nullptr, h.context);
        TypeEntries(w, WorkedYagi());
        h.dialogs.prompts.push_back(QStringLiteral("Ten el"));
        h.dialogs.saveFiles.push_back(QDir::current().filePath("screen.yag"));
        Click(&w, "PButton3");
        QCOMPARE(h.dialogs.unexpected, QStringList{});
        QCOMPARE(h.dialogs.MessageTexts(), QStringList{"YO file saved"});
        QCOMPARE(h.dialogs.beeps, 2);
        QCOMPARE(h.state.YagiDescription, std::string("Ten el"));
        const FileDialogOptions& asked = h.dialogs.fileDialogs[0];
        QCOMPARE(asked.filter, QStringLiteral("YO files (*.yag);;All files (*.*)"));
        QCOMPARE(asked.title, QString());
        QCOMPARE(Cli(QStringList{"yo"} + SetOptions(WorkedYagi()) +
                     QStringList{"--yag", "cli.yag", "--description", "Ten el"}),
                 QStringLiteral("YO file saved\n"));
        QCOMPARE(FileBytes("screen.yag"), FileBytes("cli.yag"));
    }

    // A box that is no number, or a size no Yagi has, is named before anything is asked.
    void makeYoRefusesAnImpossibleBoxBeforeAsking_data()
    {
        QTest::addColumn<int>("entry");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("message");
        QTest::newRow("a director length that is no number")
            << 9 << "abc"
            << "Dir 3 Length must be a number, not 'abc'";
        QTest::newRow("a vanishing reflector") << 39 << "1e-300"
                                               << "Reflector length must be from 520 to 1560 mm at "
                                                  "144.1 MHz (0.25 to 0.75 wavelength)";
    }
    void makeYoRefusesAnImpossibleBoxBeforeAsking()
    {
        QFETCH(int, entry);
        QFETCH(QString, text);
        QFETCH(QString, message);
        Harness h;
        YoDetailsWindow w(nullptr, h.context);
        TypeEntries(w, WorkedYagi());
        w.Box(entry)->setText(Typed(text));
        Click(&w, "PButton3");
        QCOMPARE(h.dialogs.MessageTexts(), QStringList{Typed(message)});
        QCOMPARE(h.dialogs.unexpected, QStringList{}); // no description prompt
        QVERIFY(h.dialogs.fileDialogs.isEmpty());
        QCOMPARE(h.dialogs.beeps, 0);
    }

    void loadingTheWrittenFileRestoresTheEntries()
    {
        Harness h;
        YoDetailsWindow w(nullptr, h.context);
        TypeEntries(w, WorkedYagi());
        ChooseMounting(w, 0);
        h.dialogs.prompts.push_back(QStringLiteral("Ten el"));
        h.dialogs.saveFiles.push_back(QDir::current().filePath("round.yag"));
        w.GenerateYO();
        for (int n = 1; n <= 39; ++n)
            w.Box(n)->setText("7");
        h.dialogs.messages.clear();
        h.dialogs.openFiles.push_back(QDir::current().filePath("round.yag"));
        w.LoadYag();
        QCOMPARE(h.dialogs.MessageTexts(), QStringList{"   round.yag loaded   "});
        for (const auto& [n, text] : WorkedYagi())
            QCOMPARE(BoxText(w, n), Typed(text));
        QCOMPARE(BoxText(w, 38), QStringLiteral("0"));
        QCOMPARE(BoxText(w, 35), QStringLiteral("0"));
        QCOMPARE(Selected(w, "RadioGroup1"), 2);
        QCOMPARE(Selected(w, "RadioGroup2"), 3);
    }

    void convertChecksTheBoxesFirst()
    {
        Harness h;
        YoDetailsWindow w(nullptr, h.context);
        Show(w);
        TypeEntries(w, WorkedYagi());
        Click(&w, "PButton1"); // boom diameter still 0
        QCOMPARE(h.dialogs.MessageTexts(), QStringList{"Boom diameter box empty or zero!"});
        QCOMPARE(w.focusWidget(), w.Box(38));
    }

    void convertShiftsTheLengths_data()
    {
        QTest::addColumn<int>("from");
        QTest::addColumn<int>("to");
        QTest::addColumn<QString>("reflector");
        QTest::newRow("bonded-through to non-metal takes the correction off") << 0 << 2 << "1023";
        QTest::newRow("bonded-through to insulated takes half off") << 0 << 1 << "1026";
        QTest::newRow("non-metal to bonded-through adds it") << 2 << 0 << "1037";
        QTest::newRow("non-metal to insulated adds half") << 2 << 1 << "1034";
    }
    void convertShiftsTheLengths()
    {
        QFETCH(int, from);
        QFETCH(int, to);
        QFETCH(QString, reflector);
        Harness h;
        YoDetailsWindow w(nullptr, h.context);
        Show(w);
        TypeEntries(w, {{39, "1030"}, {38, "25"}, {1, "10"}, {3, "980"}, {4, "7"}, {37, "144.1"}});
        if (from != 2)
            ChooseMounting(w, from);
        WhenModalOpens([&](QWidget* modal) {
            auto* dialog = qobject_cast<ConversionDialog*>(modal);
            QVERIFY(dialog);
            QCOMPARE(dialog->windowTitle(), QStringLiteral("ConvertYagi"));
            QVERIFY(!(dialog->windowFlags() & Qt::WindowCloseButtonHint));
            QCOMPARE(dialog->findChild<FormScaler*>()->FormPos, shell::FormPos::rpDefault);
            QCOMPARE(dialog->From()->ItemIndex(), from);
            QCOMPARE(dialog->To()->ItemIndex(), 2);
            // What the From group shows does not matter: entry 41 does.
            dialog->From()->SetItemIndex((from + 1) % 3);
            dialog->To()->Item(to)->click();
            Click(dialog, "Button1");
        });
        Click(&w, "PButton1");
        QCOMPARE(BoxText(w, 39), reflector);
        QCOMPARE(BoxText(w, 5), QStringLiteral("0")); // an empty director row stays empty
        QCOMPARE(Selected(w, "RadioGroup1"), to);
        QCOMPARE(h.dialogs.messages.size(), 0);
    }

    void cancelOrAFailedConversionChangesNothing()
    {
        Harness h;
        YoDetailsWindow w(nullptr, h.context);
        Show(w);
        TypeEntries(w,
                    {{39, "1030.50"}, {38, "25"}, {1, "10"}, {3, "980"}, {4, "7"}, {37, "144.1"}});
        w.Box(5)->setText("long");
        WhenModalOpens([&](QWidget* modal) {
            Click(modal, "Button1"); // Convert
            QVERIFY(modal->isVisible());
            Click(modal, "Button2"); // Cancel
        });
        Click(&w, "PButton1");
        QCOMPARE(h.dialogs.MessageTexts(),
                 QStringList{"'long' is not a valid floating point value"});
        QCOMPARE(BoxText(w, 39), Typed("1030.50"));
        QCOMPARE(BoxText(w, 5), QStringLiteral("long"));
        QCOMPARE(Selected(w, "RadioGroup1"), 2);
    }
};

TAVORA_UI_TEST_MAIN(YoDetailsWindowTest)
#include "yo_details_window_test.moc"
