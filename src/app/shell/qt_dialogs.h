// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/shell/dialogs.h"

#include <memory>

namespace tavora::app {

class HelpViewer;

// The real dialogs of the toolkit, and the program's help window.
class QtDialogs final : public Dialogs {
  public:
    QtDialogs();
    ~QtDialogs() override;

    QMessageBox::StandardButton Message(QWidget* parent, QMessageBox::Icon icon,
                                        const QString& text,
                                        QMessageBox::StandardButtons buttons) override;
    std::optional<QString> Prompt(QWidget* parent, const QString& caption, const QString& label,
                                  const QString& text) override;
    QString OpenFile(QWidget* parent, const FileDialogOptions& options) override;
    QString SaveFile(QWidget* parent, const FileDialogOptions& options) override;
    std::unique_ptr<QPrinter> Print(QWidget* parent, const QString& documentName) override;
    void Help(QWidget* parent, const HelpRequest& request) override;
    void Beep() override;

  private:
    std::unique_ptr<HelpViewer> help_;
};

} // namespace tavora::app
