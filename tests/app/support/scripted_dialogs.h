// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/shell/dialogs.h"
#include "app/shell/help_window.h"

#include <QList>
#include <QPrinter>
#include <QStringList>

#include <deque>
#include <memory>
#include <optional>

namespace tavora::test {

// Answers the program's dialogs from a script and records what was asked.
// A plain notice (OK only) needs no script; any other question, prompt, file
// or print dialog that finds its queue empty is recorded as unexpected and
// answered as if cancelled.
class ScriptedDialogs : public app::Dialogs {
  public:
    struct Shown {
        QMessageBox::Icon icon;
        QString text;
        QMessageBox::StandardButtons buttons;
    };

    std::deque<QMessageBox::StandardButton> answers;
    std::deque<std::optional<QString>> prompts;
    std::deque<QString> openFiles;
    std::deque<QString> saveFiles;
    std::deque<std::unique_ptr<QPrinter>> printers;

    QList<Shown> messages;
    QList<app::HelpRequest> helpRequests;
    QList<app::FileDialogOptions> fileDialogs;
    QStringList printNames; // the document name of every print dialog
    QStringList unexpected;
    int beeps = 0;
    // When set, help requests are also shown in this (real) help window.
    app::HelpViewer* helpViewer = nullptr;

    // Texts of every message box shown so far.
    QStringList MessageTexts() const;
    // A printer that writes a PDF file, as the print dialog's answer.
    static std::unique_ptr<QPrinter> PdfPrinter(const QString& path);

    QMessageBox::StandardButton Message(QWidget* parent, QMessageBox::Icon icon,
                                        const QString& text,
                                        QMessageBox::StandardButtons buttons) override;
    std::optional<QString> Prompt(QWidget* parent, const QString& caption, const QString& label,
                                  const QString& text) override;
    QString OpenFile(QWidget* parent, const app::FileDialogOptions& options) override;
    QString SaveFile(QWidget* parent, const app::FileDialogOptions& options) override;
    std::unique_ptr<QPrinter> Print(QWidget* parent, const QString& documentName) override;
    void Help(QWidget* parent, const app::HelpRequest& request) override;
    void Beep() override { ++beeps; }
};

} // namespace tavora::test
