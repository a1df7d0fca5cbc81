// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/shell/qt_dialogs.h"

#include "app/shell/help_window.h"

#include "shell/startup.h"

#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QInputDialog>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>

namespace tavora::app {

QtDialogs::QtDialogs() : help_(std::make_unique<HelpViewer>(*this)) {}
QtDialogs::~QtDialogs() = default;

QMessageBox::StandardButton QtDialogs::Message(QWidget* parent, QMessageBox::Icon icon,
                                               const QString& text,
                                               QMessageBox::StandardButtons buttons)
{
    QMessageBox box(icon, QString::fromUtf8(shell::kProgramTitle), text, buttons, parent);
    return static_cast<QMessageBox::StandardButton>(box.exec());
}

std::optional<QString> QtDialogs::Prompt(QWidget* parent, const QString& caption,
                                         const QString& label, const QString& text)
{
    bool ok = false;
    const QString typed =
        QInputDialog::getText(parent, caption, label, QLineEdit::Normal, text, &ok);
    if (!ok)
        return std::nullopt;
    return typed;
}

namespace {

void Prepare(QFileDialog& dialog, const FileDialogOptions& options)
{
    dialog.setNameFilter(options.filter);
    dialog.setDefaultSuffix(options.defaultExt);
    if (!options.initialName.isEmpty())
        dialog.selectFile(options.initialName);
}

QString Chosen(QFileDialog& dialog)
{
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return dialog.selectedFiles().front();
}

} // namespace

QString QtDialogs::OpenFile(QWidget* parent, const FileDialogOptions& options)
{
    QFileDialog dialog(parent, options.title);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    Prepare(dialog, options);
    return Chosen(dialog);
}

QString QtDialogs::SaveFile(QWidget* parent, const FileDialogOptions& options)
{
    QFileDialog dialog(parent, options.title);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    Prepare(dialog, options);
    return Chosen(dialog);
}

std::unique_ptr<QPrinter> QtDialogs::Print(QWidget* parent, const QString& documentName)
{
    auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    printer->setDocName(documentName);
    // Without a printer the dialog can only print to a file: propose one in
    // the working folder named after the document, not a fixed one at home.
    // (Setting a file name makes the file the first choice, so not when a
    // printer is there to be chosen.)
    if (QPrinterInfo::availablePrinterNames().isEmpty())
        printer->setOutputFileName(
            QDir::current().filePath(ProposedFileName(documentName, QStringLiteral("pdf"))));
    QPrintDialog dialog(printer.get(), parent);
    if (dialog.exec() != QDialog::Accepted)
        return nullptr;
    return printer;
}

void QtDialogs::Help(QWidget* parent, const HelpRequest& request)
{
    help_->Show(parent, request);
}

void QtDialogs::Beep()
{
    QApplication::beep();
}

} // namespace tavora::app
