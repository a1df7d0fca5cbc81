// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QApplication>

#include <exception>
#include <functional>

namespace tavora::app {

class Dialogs;

// The general error handler: the failure's own text in a box with OK, and the
// program goes on with the next event.
void ShowError(Dialogs& dialogs, QWidget* parent, const std::exception& error);

// Runs one user action; whatever it throws ends that action only. Returns
// false when it failed.
bool Guarded(Dialogs& dialogs, QWidget* parent, const std::function<void()>& action);

// Runs the body of an event handler override (key, mouse, paint...) under the
// general error handler. An exception must not leave the handler: on its way
// to notify() it would pass through Qt's event code, which is built without
// exception support and skips its own clean-up.
void GuardedEvent(QWidget* widget, const std::function<void()>& body);

// The general error handler for event handlers, and the last resort for what
// still escapes one.
class TavoraApplication : public QApplication {
  public:
    TavoraApplication(int& argc, char** argv);
    void SetDialogs(Dialogs* dialogs) { dialogs_ = dialogs; }
    bool notify(QObject* receiver, QEvent* event) override;
    // Shows `error` with the running application's dialogs.
    static void Report(QWidget* parent, const std::exception& error);

  private:
    Dialogs* dialogs_ = nullptr;
};

} // namespace tavora::app
