// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/shell/error_handler.h"

#include "app/shell/qt_dialogs.h"

namespace tavora::app {

namespace {

// A message box that fits a screen with its OK button: an error's text that
// quotes a page pasted into a box is cut short, and a run of characters
// without a blank to wrap at is broken.
QString FitScreen(const QString& text)
{
    constexpr qsizetype kMostChars = 1000, kMostLines = 12;
    constexpr int kMostRun = 100;
    QString out;
    int run = 0; // characters since a blank
    for (const QChar c : text.left(kMostChars)) {
        run = c.isSpace() ? 0 : run + 1;
        if (run > kMostRun) {
            out += QLatin1Char('\n');
            run = 1;
        }
        out += c;
    }
    QStringList lines = out.split(QLatin1Char('\n'));
    const bool cut = text.size() > kMostChars || lines.size() > kMostLines;
    return lines.mid(0, kMostLines).join(QLatin1Char('\n')) +
           (cut ? QStringLiteral("...") : QString());
}

} // namespace

void ShowError(Dialogs& dialogs, QWidget* parent, const std::exception& error)
{
    dialogs.Message(parent, QMessageBox::Critical, FitScreen(QString::fromUtf8(error.what())),
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
