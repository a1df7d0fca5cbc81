#include "app/shell/error_handler.h"

#include "app/shell/dialogs.h"

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

bool TavoraApplication::notify(QObject* receiver, QEvent* event)
{
    try {
        return QApplication::notify(receiver, event);
    } catch (const std::exception& e) {
        if (dialogs_ != nullptr) {
            ShowError(*dialogs_, activeWindow(), e);
        } else {
            QtDialogs fallback;
            ShowError(fallback, activeWindow(), e);
        }
    }
    return false;
}

} // namespace tavora::app
