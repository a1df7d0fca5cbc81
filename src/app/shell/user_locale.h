// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "text/format.h"

#include <QLocale>
#include <QString>

#include <string>

namespace tavora::app {

// Boxes are typed and results shown with the user's decimal separator;
// files always use a point.
inline char UserDecimalSep()
{
    const QString point = QLocale().decimalPoint();
    return point.size() == 1 && point[0].unicode() < 128 ? point[0].toLatin1() : '.';
}

// A start-up text the program writes with a point ("144.1"), as the user
// types it, so that a first Calculate does not refuse the program's own text.
inline QString UserNumberText(const std::string& text)
{
    return QString::fromStdString(WithDecimalSep(text, UserDecimalSep()));
}

} // namespace tavora::app
