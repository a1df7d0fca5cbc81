// SPDX-License-Identifier: GPL-3.0-or-later
// Draws the program's pictures: the welcome photograph of Yagis on a mast,
// the About window's small picture, and the stacking window's two plane
// pictures. Run it to regenerate data/ (the results are committed):
//   build/tools/tavora_make_pictures data

#include "app/arrays/stacking_pictures.h"

#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <QImageWriter>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

#include <cmath>
#include <cstdio>

namespace {

void DrawSky(QPainter& p, const QRectF& r)
{
    QLinearGradient sky(r.topLeft(), r.bottomLeft());
    sky.setColorAt(0.0, QColor(28, 84, 170));
    sky.setColorAt(0.55, QColor(92, 152, 222));
    sky.setColorAt(1.0, QColor(196, 222, 244));
    p.fillRect(r, sky);
    // Soft fair-weather clouds.
    const struct {
        double x, y, w, h;
    } clouds[] = {{0.08, 0.18, 0.34, 0.07}, {0.18, 0.14, 0.22, 0.06}, {0.62, 0.32, 0.4, 0.08},
                  {0.72, 0.27, 0.2, 0.06},  {0.3, 0.58, 0.5, 0.07},   {0.05, 0.7, 0.3, 0.05}};
    p.setPen(Qt::NoPen);
    for (const auto& c : clouds) {
        const QRectF e(r.left() + c.x * r.width(), r.top() + c.y * r.height(), c.w * r.width(),
                       c.h * r.height());
        QRadialGradient g(e.center(), e.width() / 2);
        g.setColorAt(0.0, QColor(255, 255, 255, 200));
        g.setColorAt(1.0, QColor(255, 255, 255, 0));
        p.setBrush(g);
        p.drawEllipse(e);
    }
}

// A long Yagi seen obliquely: the boom runs from near (large) to far
// (small); the horizontal elements shrink with distance.
void DrawYagi(QPainter& p, QPointF nearEnd, QPointF farEnd, double nearHalf, int elements,
              double pen)
{
    const QColor metal(232, 236, 240);
    const QColor shade(70, 78, 90);
    p.setPen(QPen(shade, pen * 1.8, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(nearEnd, farEnd);
    p.setPen(QPen(metal, pen, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(nearEnd, farEnd);
    double t = 0;
    for (int i = 0; i < elements; ++i) {
        // Spacing grows along the boom as in a long Yagi.
        const double step = 0.5 + 0.08 * i;
        t += step;
    }
    const double total = t;
    t = 0;
    for (int i = 0; i < elements; ++i) {
        const double u = t / total;
        const QPointF at = nearEnd + (farEnd - nearEnd) * u;
        const double scale = 1.0 - 0.55 * u;
        const double half = nearHalf * scale * (i == 0 ? 1.08 : (i == 1 ? 1.0 : 0.93 - 0.01 * i));
        const double w = std::max(0.8, pen * scale);
        p.setPen(QPen(shade, w * 1.9, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(at.x() - half, at.y()), QPointF(at.x() + half, at.y()));
        p.setPen(QPen(metal, w, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(at.x() - half, at.y()), QPointF(at.x() + half, at.y()));
        t += 0.5 + 0.08 * i;
    }
}

void DrawMast(QPainter& p, double x, double top, double bottom, double width)
{
    const QColor steel(60, 66, 76);
    p.setPen(QPen(steel, 1.2));
    const double half = width / 2;
    p.drawLine(QPointF(x - half, top), QPointF(x - half * 1.6, bottom));
    p.drawLine(QPointF(x + half, top), QPointF(x + half * 1.6, bottom));
    // Lattice bracing.
    const int bays = static_cast<int>((bottom - top) / (width * 1.4));
    for (int i = 0; i < bays; ++i) {
        const double y0 = top + (bottom - top) * i / bays;
        const double y1 = top + (bottom - top) * (i + 1) / bays;
        const double w0 = half * (1 + 0.6 * (y0 - top) / (bottom - top));
        const double w1 = half * (1 + 0.6 * (y1 - top) / (bottom - top));
        p.drawLine(QPointF(x - w0, y0), QPointF(x + w1, y1));
        p.drawLine(QPointF(x - w1, y1), QPointF(x + w1, y1));
    }
}

QImage WelcomePhoto(int w, int h)
{
    QImage image(w, h, QImage::Format_RGB32);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    DrawSky(p, QRectF(0, 0, w, h));
    const double x = w * 0.47;
    // Guy wires.
    p.setPen(QPen(QColor(90, 96, 106, 150), 0.8));
    p.drawLine(QPointF(x, h * 0.42), QPointF(0, h * 0.86));
    p.drawLine(QPointF(x, h * 0.42), QPointF(w, h * 0.9));
    DrawMast(p, x, h * 0.16, h, w * 0.035);
    // The mast pipe above the tower, with four stacked Yagis on it.
    p.setPen(QPen(QColor(70, 76, 86), w * 0.012));
    p.drawLine(QPointF(x, h * 0.04), QPointF(x, h * 0.2));
    const double rows[] = {0.06, 0.13, 0.26, 0.33};
    for (double row : rows) {
        const double y = h * row;
        DrawYagi(p, QPointF(x - w * 0.02, y + h * 0.035), QPointF(x + w * 0.46, y - h * 0.015),
                 w * 0.07, 16, w * 0.006);
        DrawYagi(p, QPointF(x + w * 0.02, y + h * 0.035), QPointF(x - w * 0.44, y - h * 0.02),
                 w * 0.07, 12, w * 0.006);
    }
    // A crossboom for the lower pair.
    p.setPen(QPen(QColor(70, 76, 86), w * 0.01));
    p.drawLine(QPointF(x - w * 0.03, h * 0.3), QPointF(x + w * 0.03, h * 0.3));
    // Tree line along the bottom.
    QPainterPath trees;
    trees.moveTo(0, h);
    for (int i = 0; i <= 40; ++i) {
        const double tx = w * i / 40.0;
        const double ty = h * (0.9 - 0.04 * std::abs(std::sin(i * 1.7)) - 0.02 * (i % 3));
        trees.lineTo(tx, ty);
    }
    trees.lineTo(w, h);
    trees.closeSubpath();
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(34, 62, 40));
    p.drawPath(trees);
    return image;
}

QImage AboutPicture(int size)
{
    QImage image(size, size, QImage::Format_RGB32);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    DrawSky(p, QRectF(0, 0, size, size));
    p.setPen(QPen(QColor(70, 76, 86), size * 0.03));
    p.drawLine(QPointF(size * 0.3, size * 0.5), QPointF(size * 0.3, size));
    DrawYagi(p, QPointF(size * 0.22, size * 0.56), QPointF(size * 0.95, size * 0.28), size * 0.16,
             9, size * 0.02);
    return image;
}

bool Save(const QImage& image, const QString& path, const char* format)
{
    QImageWriter writer(path, format);
    if (std::string(format) == "jpeg")
        writer.setQuality(88);
    if (!writer.write(image)) {
        std::fprintf(stderr, "%s: %s\n", qPrintable(path), qPrintable(writer.errorString()));
        return false;
    }
    return true;
}

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const QDir out(argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("."));
    const bool ok = Save(WelcomePhoto(314, 358), out.filePath("welcome.jpg"), "jpeg") &&
                    Save(AboutPicture(100), out.filePath("about.jpg"), "jpeg") &&
                    Save(tavora::app::PlanePicture(true), out.filePath("vertical.bmp"), "bmp") &&
                    Save(tavora::app::PlanePicture(false), out.filePath("horizontal.bmp"), "bmp");
    return ok ? 0 : 1;
}
