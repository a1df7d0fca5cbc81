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

// Catches what escapes any event handler (key, mouse, show, activation...).
class TavoraApplication : public QApplication {
  public:
    TavoraApplication(int& argc, char** argv);
    void SetDialogs(Dialogs* dialogs) { dialogs_ = dialogs; }
    bool notify(QObject* receiver, QEvent* event) override;

  private:
    Dialogs* dialogs_ = nullptr;
};

} // namespace tavora::app
