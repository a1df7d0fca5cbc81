// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/design/folded_dipole_drawing.h"

#include <QFont>
#include <QPainter>
#include <QPainterPath>

#include <algorithm>

namespace tavora::app {

void DrawFoldedDipole(QPainter& p, const QRectF& area)
{
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    const double w = area.width();
    const double h = area.height();
    // The loop is a long rounded rectangle, letters around it.
    const double margin = std::min(w, h) * 0.22;
    const QRectF loop(area.left() + margin, area.top() + h * 0.28, w - 2 * margin, h * 0.44);
    const double r = loop.height() / 2;
    const double gap = loop.width() * 0.06;
    const double cx = loop.center().x();

    QPainterPath rod;
    rod.moveTo(cx - gap / 2, loop.bottom()); // H
    rod.lineTo(loop.left() + r, loop.bottom()); // I
    rod.arcTo(QRectF(loop.left(), loop.top(), 2 * r, 2 * r), 270, -180); // through A to B
    rod.lineTo(loop.right() - r, loop.top()); // C, D
    rod.arcTo(QRectF(loop.right() - 2 * r, loop.top(), 2 * r, 2 * r), 90, -180); // E to F
    rod.lineTo(cx + gap / 2, loop.bottom()); // G

    QPen pen(Qt::black, std::max(1.0, h * 0.025));
    pen.setCapStyle(Qt::FlatCap);
    p.setPen(pen);
    p.setBrush(Qt::NoBrush);
    p.drawPath(rod);
    // The tick at C marks the centre of the rod.
    p.drawLine(QPointF(cx, loop.top() - h * 0.05), QPointF(cx, loop.top() + h * 0.05));

    QFont font = p.font();
    font.setPixelSize(std::max(6, static_cast<int>(h * 0.13)));
    font.setBold(true);
    p.setFont(font);
    const double t = h * 0.16; // label box size
    auto label = [&](const QPointF& at, const char* text) {
        p.drawText(QRectF(at.x() - t / 2, at.y() - t / 2, t, t), Qt::AlignCenter, text);
    };
    const double above = loop.top() - t * 0.8;
    const double below = loop.bottom() + t * 0.8;
    label({loop.left() + r, above}, "B");
    label({cx, above - t * 0.25}, "C");
    label({loop.right() - r, above}, "D");
    label({loop.left() - t * 0.7, loop.center().y()}, "A");
    label({loop.right() + t * 0.7, loop.center().y()}, "E");
    label({loop.left() + r, below}, "I");
    label({cx - gap / 2 - t * 0.35, below}, "H");
    label({cx + gap / 2 + t * 0.35, below}, "G");
    label({loop.right() - r, below}, "F");
    p.restore();
}

} // namespace tavora::app
