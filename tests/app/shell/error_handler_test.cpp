// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/shell/main_window.h"
#include "state/errors.h"
#include "task_window_fixture.h"
#include "ui_test.h"

#include <QPushButton>

using namespace tavora;
using namespace tavora::app;

namespace {

// A window whose creation fails, like a task window reading a bad saved value.
class FailingTaskWindow : public BaseWindow {
  public:
    FailingTaskWindow(QWidget* owner, AppContext& context) : BaseWindow(owner, context)
    {
        throw ConversionError("'x' is not a valid integer value");
    }
};

// A key handler that fails, written as the windows write event handlers.
class ThrowingBox : public QWidget {
  protected:
    void keyPressEvent(QKeyEvent*) override
    {
        GuardedEvent(this, [] { throw ArithmeticError(kDivisionByZero); });
    }
};

class FailingActivation : public BaseWindow {
  public:
    using BaseWindow::BaseWindow;
    int activations = 0;
    void FormActivate() override
    {
        ++activations;
        throw FileError("vertical.bmp: No such file or directory");
    }
};

} // namespace

class ErrorHandlerTest : public QObject {
    Q_OBJECT
    test::ModalWatchdog watchdog_;

  private slots:
    void cleanup()
    {
        QVERIFY2(watchdog_.Failures().isEmpty(), qPrintable(watchdog_.Failures().join('\n')));
    }

    void aFailingMenuActionIsShownAndTheProgramGoesOn()
    {
        test::Harness h;
        h.registry.AddTask<FailingTaskWindow>(TaskId::Gain);
        MainWindow w(h.context);
        w.findChild<QAction*>("Gain_calc")->trigger();
        w.findChild<QAction*>("Gain_calc")->trigger();
        QCOMPARE(h.dialogs.MessageTexts(), (QStringList{"'x' is not a valid integer value",
                                                        "'x' is not a valid integer value"}));
        QCOMPARE(h.dialogs.messages[0].icon, QMessageBox::Critical);
        QCOMPARE(h.dialogs.messages[0].buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
    }

    void aFailingEventHandlerIsShownAndTheWindowGoesOn()
    {
        test::Harness h;
        ThrowingBox box;
        box.show();
        QTest::keyClick(&box, Qt::Key_A);
        QTest::keyClick(&box, Qt::Key_B);
        QCOMPARE(h.dialogs.MessageTexts(), (QStringList{"Floating point division by zero",
                                                        "Floating point division by zero"}));
        QVERIFY(box.isVisible());
    }

    void connectedHandlersRunGuarded_data()
    {
        QTest::addColumn<bool>("standardError");
        QTest::newRow("a program error shows its own text") << false;
        QTest::newRow("a standard exception shows its text too") << true;
    }

    void connectedHandlersRunGuarded()
    {
        QFETCH(bool, standardError);
        test::Harness h;
        test::SampleTaskWindow task(nullptr, h.context);
        auto* button = new QPushButton(task.Client());
        task.On(button, &QPushButton::clicked, [standardError] {
            if (standardError)
                throw std::runtime_error("basic_ios::clear: iostream error");
            throw ConversionError("'abc' is not a valid floating point value");
        });
        button->click();
        QCOMPARE(h.dialogs.MessageTexts(),
                 QStringList{standardError ? "basic_ios::clear: iostream error"
                                           : "'abc' is not a valid floating point value"});
        button->click();
        QCOMPARE(h.dialogs.messages.size(), 2);
    }

    void aFailingActivationHandlerLeavesTheWindowUsable()
    {
        test::Harness h;
        FailingActivation w(nullptr, h.context);
        w.show();
        QVERIFY(QTest::qWaitForWindowActive(&w));
        QTRY_COMPARE(h.dialogs.messages.size(), 1);
        QCOMPARE(h.dialogs.messages[0].text,
                 QStringLiteral("vertical.bmp: No such file or directory"));
        QCOMPARE(w.activations, 1);
        QVERIFY(w.isVisible());
        w.findChild<QAction*>("Contents1")->trigger();
        QCOMPARE(h.dialogs.helpRequests.size(), 1);
    }
};

TAVORA_UI_TEST_MAIN(ErrorHandlerTest)
#include "error_handler_test.moc"
