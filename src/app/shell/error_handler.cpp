#include "app/shell/error_handler.h"

#include "app/shell/qt_dialogs.h"

namespace tavora::app {

void ShowError(Dialogs& dialogs, QWidget* parent, const std::exception& error)
{
    dialogs.Message(parent, QMessageBox::Critical, QString::fromUtf8(error.what()),
                    QMessageBox::Ok);
}

bool Guarded(Dialogs& dialogs, QWidget* parent, const std::function<void()>& action)
{
    try {
        action();
        return true;
    } catch (const std::exception& e) {
        ShowError(dialogs, parent, e);
    }
    return false;
}

TavoraApplication::TavoraApplication(int& argc, char** argv) : QApplication(argc, argv) {}

void TavoraApplication::Report(QWidget* parent, const std::exception& error)
{
    auto* application = dynamic_cast<TavoraApplication*>(QCoreApplication::instance());
    if (application != nullptr && application->dialogs_ != nullptr) {
        ShowError(*application->dialogs_, parent, error);
    } else {
        QtDialogs fallback;
        ShowError(fallback, parent, error);
    }
}

bool TavoraApplication::notify(QObject* receiver, QEvent* event)
{
    try {
        return QApplication::notify(receiver, event);
    } catch (const std::exception& e) {
        Report(activeWindow(), e);
    }
    return false;
}

void GuardedEvent(QWidget* widget, const std::function<void()>& body)
{
    try {
        body();
    } catch (const std::exception& e) {
        TavoraApplication::Report(widget != nullptr ? widget->window() : nullptr, e);
    }
}

} // namespace tavora::app
