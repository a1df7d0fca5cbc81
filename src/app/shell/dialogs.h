// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "text/csv.h"

#include <QMessageBox>
#include <QString>

#include <memory>
#include <optional>

class QPrinter;
class QWidget;

namespace tavora::app {

struct FileDialogOptions {
    QString title;
    QString defaultExt;  // without the dot
    QString filter;      // "YO files (*.yag);;All files (*)"
    QString initialName; // file name or path proposed
};

enum class HelpCommand {
    Finder,   // the manual's contents with its index at hand
    Contents, // its table of contents
    Context,  // the topic for a context number
    Topic     // a window's own page (F1)
};

struct HelpRequest {
    HelpCommand command = HelpCommand::Contents;
    QString file;    // the help collection
    int context = 0; // for Context
    QString page;    // for Topic, such as "results.html"
};

// A file name proposed from a text (a name box, a document name): the text's
// blanks at either end do not become part of the name, so "Balun ... (PE) "
// proposes "Balun ... (PE).pdf", not "... (PE) .pdf".
QString ProposedFileName(const QString& text, const QString& extension);

// Everything that waits for a person goes through here, so that a test can
// answer instead (see tests/app/support/scripted_dialogs.h).
class Dialogs {
  public:
    virtual ~Dialogs() = default;

    virtual QMessageBox::StandardButton Message(QWidget* parent, QMessageBox::Icon icon,
                                                const QString& text,
                                                QMessageBox::StandardButtons buttons) = 0;
    // The typed text, or nothing when cancelled.
    virtual std::optional<QString> Prompt(QWidget* parent, const QString& caption,
                                          const QString& label, const QString& text) = 0;
    // The chosen path, empty when cancelled.
    virtual QString OpenFile(QWidget* parent, const FileDialogOptions& options) = 0;
    virtual QString SaveFile(QWidget* parent, const FileDialogOptions& options) = 0;
    // A printer set up as the user chose, or null when cancelled. The job is
    // named `documentName`, and so is the PDF file the dialog proposes.
    virtual std::unique_ptr<QPrinter> Print(QWidget* parent, const QString& documentName) = 0;
    virtual void Help(QWidget* parent, const HelpRequest& request) = 0;
    virtual void Beep() = 0;

    // The plain notice with only an OK button ("File saved" and the like).
    void Notice(QWidget* parent, const QString& text)
    {
        Message(parent, QMessageBox::NoIcon, text, QMessageBox::Ok);
    }
};

// The windows' Save CSV: asks for a name, writes each table to a file of its
// own (NAME-TABLE.csv) and says which.
void SaveCsvTables(Dialogs& dialogs, QWidget* parent, const QString& title,
                   const QString& initialName, const CsvTables& tables);

} // namespace tavora::app
