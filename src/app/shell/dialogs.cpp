// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/shell/dialogs.h"

#include "state/atomic_file.h"

#include <QFileInfo>
#include <QStringList>

namespace tavora::app {

QString ProposedFileName(const QString& text, const QString& extension)
{
    return text.trimmed() + QLatin1Char('.') + extension;
}

void SaveCsvTables(Dialogs& dialogs, QWidget* parent, const QString& title,
                   const QString& initialName, const CsvTables& tables)
{
    const QString path = dialogs.SaveFile(
        parent, {title, QStringLiteral("csv"), QStringLiteral("CSV files (*.csv);;All files (*.*)"),
                 initialName});
    if (path.isEmpty())
        return;
    QStringList names;
    for (const std::string& file : WriteCsvFiles(path.toStdString(), tables))
        names << QFileInfo(QString::fromStdString(file)).fileName();
    dialogs.Beep();
    dialogs.Notice(parent, QStringLiteral("Files saved: ") + names.join(QStringLiteral(", ")));
}

} // namespace tavora::app
