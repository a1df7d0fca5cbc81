// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// What the exchange window tests share: the command line as the reference for
// the files, and the worked Yagi typed into the YO details screen.

#include "tool_test.h"

#include <QFile>
#include <QProcess>

#include <utility>
#include <vector>

namespace tavora::test {

// Runs tavora-cli in the working folder; its stderr, or "exit N" when it failed.
inline QString Cli(const QStringList& args)
{
    QProcess cli;
    cli.start(QStringLiteral(TAVORA_CLI), args);
    cli.waitForFinished();
    if (cli.exitCode() != 0)
        return QStringLiteral("exit %1: ").arg(cli.exitCode()) +
               QString::fromUtf8(cli.readAllStandardError());
    return QString::fromUtf8(cli.readAllStandardError());
}

// A missing file reads as its name, so two missing files never compare equal.
inline QByteArray FileBytes(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : "<missing " + path.toUtf8() + ">";
}

// The ten-element Yagi of the worked design, as entries of the YO screen.
inline std::vector<std::pair<int, QString>> WorkedYagi()
{
    std::vector<std::pair<int, QString>> entries = {{1, "10.0"}, {2, "416"},     {3, "980"},
                                                    {4, "7.0"},  {37, "144.10"}, {39, "1016"}};
    const char* rows[][2] = {{"572", "927"},  {"947", "918"},  {"1394", "909"}, {"1914", "901"},
                             {"2497", "894"}, {"3121", "887"}, {"3776", "881"}, {"4463", "875"}};
    for (int k = 1; k <= 8; ++k) {
        entries.push_back({4 + 2 * k, QString::fromUtf8(rows[k - 1][0])});
        entries.push_back({3 + 2 * k, QString::fromUtf8(rows[k - 1][1])});
    }
    return entries;
}

// The same entries as tavora-cli yo options.
inline QStringList SetOptions(const std::vector<std::pair<int, QString>>& entries)
{
    QStringList args;
    for (const auto& [n, text] : entries)
        args << QStringLiteral("--set") << QStringLiteral("%1=%2").arg(n).arg(text);
    return args;
}

} // namespace tavora::test
