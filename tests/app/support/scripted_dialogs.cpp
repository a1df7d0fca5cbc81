// SPDX-License-Identifier: GPL-3.0-or-later
#include "scripted_dialogs.h"

namespace tavora::test {

QStringList ScriptedDialogs::MessageTexts() const
{
    QStringList texts;
    for (const Shown& shown : messages)
        texts << shown.text;
    return texts;
}

std::unique_ptr<QPrinter> ScriptedDialogs::PdfPrinter(const QString& path)
{
    auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    printer->setOutputFormat(QPrinter::PdfFormat);
    printer->setOutputFileName(path);
    return printer;
}

QMessageBox::StandardButton ScriptedDialogs::Message(QWidget*, QMessageBox::Icon icon,
                                                     const QString& text,
                                                     QMessageBox::StandardButtons buttons)
{
    messages.push_back({icon, text, buttons});
    if (buttons == QMessageBox::Ok)
        return QMessageBox::Ok;
    if (answers.empty()) {
        unexpected << QStringLiteral("question: ") + text;
        return QMessageBox::Cancel;
    }
    const QMessageBox::StandardButton answer = answers.front();
    answers.pop_front();
    return answer;
}

std::optional<QString> ScriptedDialogs::Prompt(QWidget*, const QString& caption, const QString&,
                                               const QString&)
{
    if (prompts.empty()) {
        unexpected << QStringLiteral("prompt: ") + caption;
        return std::nullopt;
    }
    std::optional<QString> answer;
    answer.swap(prompts.front());
    prompts.pop_front();
    return answer;
}

namespace {

QString Next(std::deque<QString>& queue, QStringList& unexpected, const QString& what)
{
    if (queue.empty()) {
        unexpected << what;
        return {};
    }
    QString path = queue.front();
    queue.pop_front();
    return path;
}

} // namespace

QString ScriptedDialogs::OpenFile(QWidget*, const app::FileDialogOptions& options)
{
    fileDialogs.push_back(options);
    return Next(openFiles, unexpected, QStringLiteral("open file: ") + options.title);
}

QString ScriptedDialogs::SaveFile(QWidget*, const app::FileDialogOptions& options)
{
    fileDialogs.push_back(options);
    return Next(saveFiles, unexpected, QStringLiteral("save file: ") + options.title);
}

std::unique_ptr<QPrinter> ScriptedDialogs::Print(QWidget*, const QString& documentName)
{
    printNames << documentName;
    if (printers.empty()) {
        unexpected << QStringLiteral("print dialog");
        return nullptr;
    }
    std::unique_ptr<QPrinter> printer = std::move(printers.front());
    printers.pop_front();
    return printer;
}

void ScriptedDialogs::Help(QWidget* parent, const app::HelpRequest& request)
{
    helpRequests.push_back(request);
    if (helpViewer != nullptr)
        helpViewer->Show(parent, request);
}

} // namespace tavora::test
