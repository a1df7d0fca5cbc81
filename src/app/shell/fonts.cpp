// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/shell/fonts.h"

#include <QFont>
#include <QStringList>

namespace tavora::app {

void InstallFontSubstitutes()
{
    QFont::insertSubstitutions(
        QStringLiteral("Comic Sans MS"),
        QStringList{QStringLiteral("Comic Neue"), QStringLiteral("DejaVu Sans")});
    QFont::insertSubstitutions(
        QStringLiteral("Arial"),
        QStringList{QStringLiteral("Liberation Sans"), QStringLiteral("DejaVu Sans")});
    QFont::insertSubstitutions(
        QStringLiteral("MS Sans Serif"),
        QStringList{QStringLiteral("Liberation Sans"), QStringLiteral("DejaVu Sans")});
}

} // namespace tavora::app
