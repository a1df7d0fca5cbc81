// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/shell/app_context.h"
#include "app/shell/error_handler.h"
#include "scripted_dialogs.h"
#include "state/design_state.h"

#include <QDir>
#include <QObject>
#include <QStringList>
#include <QTemporaryDir>
#include <QTest>

#include <functional>
#include <memory>

namespace tavora::test {

// Fails a test that leaves a modal window open instead of letting it hang:
// a modal window still open after the limit is recorded and closed.
class ModalWatchdog : public QObject {
  public:
    explicit ModalWatchdog(int limitMs = 5000);
    const QStringList& Failures() const { return failures_; }
    void Clear() { failures_.clear(); }

  private:
    void Check();
    int limitMs_;
    QWidget* watched_ = nullptr;
    qint64 since_ = 0;
    QStringList failures_;
};

// A fresh folder that is the working directory (the program directory) from
// Enter() to Leave(); the previous working directory comes back afterwards.
class WorkingFolder : public QTemporaryDir {
  public:
    bool Enter()
    {
        previous_ = QDir::currentPath();
        return QDir::setCurrent(path());
    }
    void Leave() { QDir::setCurrent(previous_); }

  private:
    QString previous_;
};

// A window test whose cases run in a temporary working folder, so that nothing
// is read from or written to the real one, and fail when they leave a modal
// window open.
class FolderTest : public QObject {
    Q_OBJECT

  protected:
    ModalWatchdog watchdog_;
    WorkingFolder folder_;

  protected slots:
    void init() { QVERIFY(folder_.Enter()); }
    void cleanup()
    {
        folder_.Leave();
        QVERIFY2(watchdog_.Failures().isEmpty(), qPrintable(watchdog_.Failures().join('\n')));
    }
};

// Runs body on the next modal window to open (the one above the current
// one), once it is shown and active, from the event loop, so that the code
// opening it can block in exec().
void WhenModalOpens(std::function<void(QWidget* modal)> body);

// What one program run holds, with the dialogs answered by a script.
struct Harness {
    DesignState state;
    ScriptedDialogs dialogs;
    app::Registry registry;
    app::AppContext context{state, dialogs, registry};
    // The general error handler answers through this harness's dialogs too.
    Harness();
    ~Harness();
    Harness(const Harness&) = delete;
    Harness& operator=(const Harness&) = delete;
};

// A number text, or a text of the program's with numbers in it, written with
// a point, as the user types and reads it: with the user's separator.
QString Typed(const QString& text);
QStringList Typed(const QStringList& texts);

// The test main: the program's application object (with its general error
// handler), the fonts, and the environment's locale.
// The test object is made after the application, so that its timers run.
int RunUiTest(int argc, char** argv, const std::function<std::unique_ptr<QObject>()>& makeTest);

} // namespace tavora::test

#define TAVORA_UI_TEST_MAIN(TestClass)                                                             \
    int main(int argc, char** argv)                                                                \
    {                                                                                              \
        return tavora::test::RunUiTest(argc, argv, [] { return std::make_unique<TestClass>(); });  \
    }
