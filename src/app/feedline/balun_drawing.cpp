// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/feedline/balun_drawing.h"

#include <QFont>
#include <QPainter>
#include <QPainterPath>

namespace tavora::app {

namespace {

// A coax is drawn as its shield outline with the inner conductor inside.
void DrawCoax(QPainter& p, const QPainterPath& path, double width)
{
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(Qt::black, width, Qt::SolidLine, Qt::FlatCap, Qt::RoundJoin));
    p.drawPath(path);
    p.setPen(QPen(Qt::white, width * 0.7, Qt::SolidLine, Qt::FlatCap, Qt::RoundJoin));
    p.drawPath(path);
    p.setPen(QPen(Qt::black, width * 0.15, Qt::SolidLine, Qt::FlatCap, Qt::RoundJoin));
    p.drawPath(path);
}

void DrawTerminal(QPainter& p, const QPointF& at, double r)
{
    p.setPen(QPen(Qt::black, r * 0.4));
    p.setBrush(Qt::white);
    p.drawEllipse(at, r, r);
}

} // namespace

void DrawBalun(QPainter& p, const QRectF& area)
{
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    p.translate(area.topLeft());
    p.scale(area.width() / kBalunDrawingSize.width(), area.height() / kBalunDrawingSize.height());
    p.fillRect(QRectF(QPointF(0, 0), kBalunDrawingSize), Qt::white);

    const double coax = 9;
    const double ends = 235; // where the three coax pieces end and are joined
    // The U lies on its side, open to the right: top arm, outer curve, bottom arm.
    QPainterPath loop;
    loop.moveTo(ends, 25);
    loop.lineTo(140, 25);
    loop.arcTo(QRectF(90, 25, 100, 100), 90, 180);
    loop.lineTo(ends, 125);
    DrawCoax(p, loop, coax);

    QPainterPath feed;
    feed.moveTo(16, 172);
    feed.lineTo(ends, 172);
    DrawCoax(p, feed, coax);

    // Inner conductors: the feed joins the loop's lower end and one terminal,
    // the loop's upper end feeds the other.
    const QPointF upper(345, 60), lower(345, 125);
    p.setPen(QPen(Qt::black, 1.6));
    p.drawLine(QPointF(ends, 25), QPointF(255, 25));
    p.drawLine(QPointF(255, 25), upper);
    p.drawLine(QPointF(ends, 125), lower);
    p.drawLine(QPointF(ends, 172), QPointF(255, 172));
    p.drawLine(QPointF(255, 172), QPointF(255, 125));
    p.setBrush(Qt::black);
    p.drawEllipse(QPointF(255, 125), 2.2, 2.2);
    DrawTerminal(p, upper, 4);
    DrawTerminal(p, lower, 4);
    DrawTerminal(p, QPointF(12, 172), 4);

    // Shields bonded together and grounded.
    const double bond = 229;
    p.setPen(QPen(Qt::black, 1.6));
    p.drawLine(QPointF(bond, 18), QPointF(bond, 186));
    p.setBrush(Qt::black);
    for (double y : {25.0, 125.0, 172.0})
        p.drawEllipse(QPointF(bond, y - coax / 2), 2.2, 2.2);
    for (int i = 0; i < 3; ++i) {
        const double half = 10 - 3.5 * i;
        p.drawLine(QPointF(bond - half, 186 + 4 * i), QPointF(bond + half, 186 + 4 * i));
    }

    QFont font = p.font();
    font.setPixelSize(11);
    p.setFont(font);
    p.setPen(Qt::black);
    p.drawText(QPointF(6, 14), "z1 = z2/4");
    p.drawText(QPointF(22, 196), "Unbalanced to TX");
    p.drawText(QPointF(6, 160), "z1");
    p.drawText(QPointF(358, 97), "Z2");
    p.drawText(QRectF(300, 135, 96, 30), Qt::AlignCenter | Qt::TextWordWrap, "Folded dipole");
    p.restore();
}

} // namespace tavora::app
