#pragma once

#include <QLocale>

namespace tavora::app {

// Boxes are typed and results shown with the user's decimal separator;
// files always use a point.
inline char UserDecimalSep()
{
    const QString point = QLocale().decimalPoint();
    return point.size() == 1 && point[0].unicode() < 128 ? point[0].toLatin1() : '.';
}

} // namespace tavora::app
