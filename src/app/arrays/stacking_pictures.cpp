// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/arrays/stacking_pictures.h"

#include <QFont>
#include <QPainter>
#include <QPolygonF>

#include <cmath>

namespace tavora::app {

namespace {

// The stacking pictures: two Yagis seen along the boom.
constexpr int kPlaneW = 260;
constexpr int kPlaneH = 220;

void DoubleArrow(QPainter& p, QPointF a, QPointF b)
{
    p.setPen(QPen(Qt::black, 2));
    p.drawLine(a, b);
    const QPointF d = (b - a) / std::hypot(b.x() - a.x(), b.y() - a.y());
    const QPointF n(-d.y(), d.x());
    p.setBrush(Qt::black);
    p.drawPolygon(QPolygonF{a, a + d * 12 + n * 5, a + d * 12 - n * 5});
    p.drawPolygon(QPolygonF{b, b - d * 12 + n * 5, b - d * 12 - n * 5});
}

void Label(QPainter& p, const QRectF& r, const QString& text)
{
    QFont font(QStringLiteral("Liberation Sans"));
    font.setPixelSize(18);
    font.setBold(true);
    p.setFont(font);
    p.setPen(Qt::black);
    p.drawText(r, Qt::AlignCenter, text);
}

} // namespace

QImage PlanePicture(bool vertical)
{
    QImage image(kPlaneW, kPlaneH, QImage::Format_RGB32);
    image.fill(QColor(0, 255, 255));
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    const QColor element(40, 40, 60);
    const QColor mast(110, 110, 120);
    if (vertical) {
        // Two horizontal elements one above the other on a mast.
        p.setPen(QPen(mast, 6));
        p.drawLine(QPointF(100, 20), QPointF(100, 210));
        for (double y : {50.0, 160.0}) {
            p.setPen(QPen(element, 5, Qt::SolidLine, Qt::RoundCap));
            p.drawLine(QPointF(22, y), QPointF(178, y));
            p.setPen(Qt::NoPen);
            p.setBrush(element);
            p.drawRect(QRectF(91, y - 9, 18, 18));
        }
        DoubleArrow(p, QPointF(240, 50), QPointF(240, 160));
        Label(p, QRectF(182, 88, 52, 34), QStringLiteral("Dist"));
    } else {
        // Two vertical elements side by side on a cross-boom.
        p.setPen(QPen(mast, 6));
        p.drawLine(QPointF(130, 130), QPointF(130, 215));
        p.drawLine(QPointF(50, 130), QPointF(210, 130));
        for (double x : {70.0, 190.0}) {
            p.setPen(QPen(element, 5, Qt::SolidLine, Qt::RoundCap));
            p.drawLine(QPointF(x, 65), QPointF(x, 195));
            p.setPen(Qt::NoPen);
            p.setBrush(element);
            p.drawRect(QRectF(x - 9, 121, 18, 18));
        }
        DoubleArrow(p, QPointF(70, 40), QPointF(190, 40));
        Label(p, QRectF(98, 6, 64, 28), QStringLiteral("Dist"));
    }
    return image;
}

QImage BothPlanesPicture()
{
    const QImage vertical = PlanePicture(true);
    const QImage horizontal = PlanePicture(false);
    const int gap = 40;
    QImage both(vertical.width(), vertical.height() + gap + horizontal.height(),
                QImage::Format_RGB32);
    both.fill(QColor(0, 255, 255));
    QPainter p(&both);
    p.drawImage(0, 0, vertical);
    Label(p, QRectF(0, vertical.height(), both.width(), gap), QStringLiteral("or"));
    p.drawImage(0, vertical.height() + gap, horizontal);
    return both;
}

} // namespace tavora::app
