// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/simulation/print_frame.h"

#include <QDate>
#include <QFontMetricsF>

namespace tavora::app {

QRectF DrawPrintFrame(QPainter& painter, const QRectF& page, const PrintFrame& frame)
{
    const double line = QFontMetricsF(painter.font(), painter.device()).lineSpacing();
    const auto row = [&](double top) { return QRectF(page.left(), top, page.width(), line); };
    painter.save();
    painter.setPen(Qt::black);
    QFont bold = painter.font();
    bold.setBold(true);
    painter.setFont(bold);
    painter.drawText(row(page.top()), Qt::AlignLeft, frame.title);
    bold.setBold(false);
    painter.setFont(bold);
    painter.drawText(row(page.top() + line), Qt::AlignLeft, frame.design);
    const QRectF foot = row(page.bottom() - line);
    painter.drawText(foot, Qt::AlignLeft, QDate::currentDate().toString(Qt::ISODate));
    // A page of the window prints on one sheet.
    painter.drawText(foot, Qt::AlignRight, QStringLiteral("Page 1 of 1"));
    painter.restore();
    // A blank line under the heading and above the foot.
    return page.adjusted(0, 3 * line, 0, -2 * line);
}

} // namespace tavora::app
