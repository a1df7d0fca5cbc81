// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/shell/form_scaler.h"
#include "app/shell/main_window.h"
#include "shell/resize_kit.h"
#include "task_window_fixture.h"
#include "ui_test.h"

#include <QLabel>
#include <QPointer>
#include <QPushButton>

using namespace tavora;
using namespace tavora::app;
using tavora::shell::FourFifths;
using tavora::test::SampleTaskWindow;

class TaskTest : public QObject {
    Q_OBJECT
    test::ModalWatchdog watchdog_;

  private slots:
    void cleanup()
    {
        QVERIFY2(watchdog_.Failures().isEmpty(), qPrintable(watchdog_.Failures().join('\n')));
        QCOMPARE(SampleTaskWindow::alive, 0);
    }

    void theSameEntryTwiceGivesTwoIndependentWindows()
    {
        test::Harness h;
        h.registry.AddTask<SampleTaskWindow>(TaskId::Gain);
        MainWindow w(h.context);
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));

        QPointer<QWidget> first;
        QStringList shown;
        const auto visit = [&](const QString& typed) {
            test::WhenModalOpens([&, typed](QWidget* modal) {
                auto* task = qobject_cast<SampleTaskWindow*>(modal);
                QVERIFY(task != nullptr);
                QVERIFY(task->isModal());
                QCOMPARE(task->parentWidget(), &w);
                // Four fifths, one pixel more on first show, within the screen.
                QVERIFY(task->Client()->width() <=
                        FourFifths(SampleTaskWindow::kDesignSize.width()) + 1);
                QVERIFY(task->screen()->availableGeometry().contains(task->frameGeometry()));
                // The modal takes the activation a moment after it opens.
                QTRY_VERIFY(!w.isActiveWindow());
                shown << task->edit->text();
                if (first.isNull())
                    first = task;
                else
                    QVERIFY(task != first.data());
                task->edit->setText(typed);
                task->close();
            });
            w.findChild<QAction*>("Gain_calc")->trigger();
        };

        visit("first");
        // Closed means destroyed: what it kept went into the design state.
        QVERIFY(first.isNull());
        QCOMPARE(h.state.GainValues[0], std::string("first"));
        visit("second");
        QCOMPARE(shown, (QStringList{test::Typed("144.1"), "first"}));
        QCOMPARE(h.state.GainValues[0], std::string("second"));
    }

    void tasksShrinkToFourFifths()
    {
        test::Harness h;
        SampleTaskWindow task(nullptr, h.context);
        const QRect design = task.edit->geometry();
        task.ShrinkToFourFifths();
        QCOMPARE(task.Client()->size(), QSize(FourFifths(1050), FourFifths(770)));
        const shell::Factors f = task.ResizeKit1().LastFactors();
        QCOMPARE(task.edit->geometry(),
                 QRect(shell::RoundHalfUp(design.x() * f.x), shell::RoundHalfUp(design.y() * f.y),
                       shell::RoundHalfUp(design.width() * f.x),
                       shell::RoundHalfUp(design.height() * f.y)));
        QCOMPARE(task.Heading()->font().pixelSize(), 16); // 21 * 0.8 truncated
    }

    void exitInATaskWindowClosesOnlyThatWindow()
    {
        test::Harness h;
        h.registry.AddTask<test::FullMenuTaskWindow>(TaskId::Stacking);
        MainWindow w(h.context);
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        bool closed = false;
        test::WhenModalOpens([&](QWidget* modal) {
            modal->findChild<QAction*>("Exit1")->trigger();
            closed = !modal->isVisible();
        });
        w.findChild<QAction*>("Stacking_calc")->trigger();
        QVERIFY(closed);
        QVERIFY(w.isVisible());
        QVERIFY(h.dialogs.messages.isEmpty()); // no "Close program?"
    }

    void aTaskWindowsOwnTaskMenuOpensAnotherOnTop()
    {
        test::Harness h;
        h.registry.AddTask<test::FullMenuTaskWindow>(TaskId::Stacking);
        h.registry.AddTask<SampleTaskWindow>(TaskId::Gain);
        MainWindow w(h.context);
        w.show();
        QWidget* inner = nullptr;
        test::WhenModalOpens([&](QWidget* outer) {
            test::WhenModalOpens([&, outer](QWidget* modal) {
                inner = modal;
                QCOMPARE(modal->parentWidget(), outer);
                modal->close();
            });
            outer->findChild<QAction*>("Gain_calc")->trigger();
            outer->close();
        });
        w.findChild<QAction*>("Stacking_calc")->trigger();
        QVERIFY(inner != nullptr);
    }

    void enterInABoxPressesNoButtonAndEscapeKeepsTheWindow()
    {
        test::Harness h;
        SampleTaskWindow task(nullptr, h.context);
        auto* back = new QPushButton(QStringLiteral("Back"), task.Client());
        back->setDefault(true);
        int clicks = 0;
        connect(back, &QPushButton::clicked, [&clicks] { ++clicks; });
        task.show();
        QVERIFY(QTest::qWaitForWindowActive(&task));
        task.edit->setFocus();
        QTest::keyClick(task.edit, Qt::Key_Return);
        QTest::keyClick(task.edit, Qt::Key_Escape);
        QCOMPARE(clicks, 0);
        QVERIFY(task.isVisible());
    }

    void theWatchdogEndsAForgottenModal()
    {
        test::ModalWatchdog quick(200);
        QDialog forgotten;
        forgotten.setWindowTitle(QStringLiteral("Forgotten"));
        forgotten.exec(); // returns only because the watchdog closes it
        QCOMPARE(quick.Failures().size(), 1);
        QVERIFY(quick.Failures()[0].contains("Forgotten"));
    }
};

TAVORA_UI_TEST_MAIN(TaskTest)
#include "task_test.moc"
