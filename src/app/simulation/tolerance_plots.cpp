// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/simulation/tolerance_plots.h"

#include "app/simulation/simulation_plots.h"

#include "simulation/plot_scale.h"

#include <QFontMetricsF>
#include <QPainter>

#include <algorithm>
#include <cmath>

namespace tavora::app {

namespace {

const QColor kLengthBar(0, 70, 200);
const QColor kPositionBar(230, 130, 0);

QString Caption(const ToleranceResult& r, Judged figure, char sep)
{
    return figure == Judged::Swr ? Q(SwrCaption(r.z0, sep)) : QString::fromUtf8(JudgedName(figure));
}

// A framed plot with its y ticks and grid; gives the inner rectangle.
struct Axes {
    QRectF plot;
    double lo, hi;
    double Y(double v) const { return plot.bottom() - (v - lo) / (hi - lo) * plot.height(); }
};

Axes DrawFrame(QPainter& p, const QRectF& area, const QString& title, double lo, double hi,
               char sep)
{
    const QFontMetricsF fm(p.font());
    const double line = fm.height();
    p.setPen(Qt::black);
    p.drawText(QRectF(area.left(), area.top(), area.width(), line), Qt::AlignHCenter, title);
    if (!(hi > lo))
        hi = lo + 1;
    const Axes axes{area.adjusted(fm.horizontalAdvance(QStringLiteral("-0.000")) + 6, line * 1.5,
                                  -line * 0.5, -line * 2.6),
                    lo, hi};
    const auto ticks = AxisTicks(lo, hi, 6);
    const double step = ticks.size() > 1 ? ticks[1] - ticks[0] : 1;
    for (double y : ticks) {
        p.setPen(QPen(kGridColour, 0));
        p.drawLine(QPointF(axes.plot.left(), axes.Y(y)), QPointF(axes.plot.right(), axes.Y(y)));
        p.setPen(Qt::black);
        p.drawText(
            QRectF(area.left(), axes.Y(y) - line / 2, axes.plot.left() - area.left() - 4, line),
            Qt::AlignRight | Qt::AlignVCenter, Q(TickLabel(y, step, sep)));
    }
    p.setPen(QPen(Qt::black, 0));
    p.drawRect(axes.plot);
    return axes;
}

// How the builds spread for one figure: a bar per bin, the nominal design
// as a dashed line, the 5th and 95th percentiles dotted.
void DrawToleranceHistogram(QPainter& p, const QRectF& area, const ToleranceResult& r,
                            Judged figure, char sep)
{
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    const QFontMetricsF fm(p.font());
    const double line = fm.height();
    const size_t k =
        static_cast<size_t>(std::find(kJudged.begin(), kJudged.end(), figure) - kJudged.begin());
    const Spread& s = r.spreads[k];
    const Histogram& h = s.histogram;
    const int most = h.counts.empty() ? 1 : *std::max_element(h.counts.begin(), h.counts.end());
    const Axes axes = DrawFrame(p, area, Caption(r, figure, sep) + QStringLiteral(": builds"), 0,
                                std::max(most, 1) * 1.08, sep);
    // The x range holds every bin and the nominal design, with a little room.
    const double nominal = Value(r.nominal, figure);
    const double width = h.width > 0 ? h.width : std::max(std::abs(h.low) * 1e-3, 1e-3);
    double xlo = std::min(h.low, nominal), xhi = std::max(h.low + width * h.counts.size(), nominal);
    const double pad = (xhi - xlo) * 0.05;
    xlo -= pad;
    xhi += pad;
    const QRectF& plot = axes.plot;
    const auto px = [&](double x) { return plot.left() + (x - xlo) / (xhi - xlo) * plot.width(); };
    const auto ticks = AxisTicks(xlo, xhi, 4);
    const double step = ticks.size() > 1 ? ticks[1] - ticks[0] : 1;
    p.setPen(Qt::black);
    for (double x : ticks)
        p.drawText(QRectF(px(x) - line * 3, plot.bottom() + 2, line * 6, line), Qt::AlignHCenter,
                   Q(TickLabel(x, step, sep)));
    for (size_t i = 0; i < h.counts.size(); ++i) {
        const double x0 = h.low + width * static_cast<double>(i);
        const QRectF bar(QPointF(px(x0), axes.Y(h.counts[i])), QPointF(px(x0 + width), axes.Y(0)));
        p.fillRect(bar.adjusted(LineUnit(fm) / 2, 0, -LineUnit(fm) / 2, 0), kLengthBar);
    }
    p.setPen(QPen(Qt::darkGreen, 2 * LineUnit(fm), Qt::DashLine));
    p.drawLine(QPointF(px(nominal), plot.top()), QPointF(px(nominal), plot.bottom()));
    p.setPen(QPen(Qt::darkGray, LineUnit(fm), Qt::DotLine));
    for (double x : {s.p5, s.p95})
        p.drawLine(QPointF(px(x), plot.top()), QPointF(px(x), plot.bottom()));
    p.restore();
}

// Each element's change of one figure per mm: length and position bars side
// by side, over the elements from the reflector forward.
void DrawSensitivityBars(QPainter& p, const QRectF& area, const ToleranceResult& r, Judged figure,
                         char sep)
{
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    const QFontMetricsF fm(p.font());
    const double line = fm.height();
    double lo = 0, hi = 0;
    for (const Sensitivity& s : r.sensitivity)
        for (const BuildFigures* f : {&s.perMmLength, &s.perMmPosition}) {
            lo = std::min(lo, Value(*f, figure));
            hi = std::max(hi, Value(*f, figure));
        }
    const double reach = std::max({-lo, hi, 0.001});
    const QString title = figure == Judged::Gain ? QStringLiteral("Gain change per mm (dB)")
                          : figure == Judged::FrontToBack ? QStringLiteral("F/B change per mm (dB)")
                                                          : QStringLiteral("SWR change per mm");
    const Axes axes = DrawFrame(p, area, title, -reach * 1.1, reach * 1.1, sep);
    const QRectF& plot = axes.plot;
    const auto n = static_cast<double>(std::max<size_t>(r.sensitivity.size(), 1));
    const double slot = plot.width() / n;
    // Element names below: every one where they fit, else every few.
    const double labelWidth = fm.horizontalAdvance(QStringLiteral("00")) + line * 0.3;
    const int every = std::max(1, static_cast<int>(std::ceil(labelWidth / slot)));
    for (const Sensitivity& s : r.sensitivity) {
        const double x = plot.left() + slot * s.element;
        int i = 0;
        for (const auto& [f, colour] :
             {std::pair{&s.perMmLength, kLengthBar}, std::pair{&s.perMmPosition, kPositionBar}}) {
            const double v = Value(*f, figure);
            if (std::isfinite(v))
                p.fillRect(QRectF(QPointF(x + slot * (0.1 + 0.4 * i), axes.Y(v)),
                                  QPointF(x + slot * (0.5 + 0.4 * i), axes.Y(0)))
                               .normalized(),
                           colour);
            ++i;
        }
        if (s.element % every == 0) {
            const QString name = s.element == 0   ? QStringLiteral("R")
                                 : s.element == 1 ? QStringLiteral("D")
                                                  : QString::number(s.element - 1);
            p.setPen(Qt::black);
            p.drawText(QRectF(x + slot / 2 - line * 2, plot.bottom() + 2, line * 4, line),
                       Qt::AlignHCenter, name);
        }
    }
    p.setPen(QPen(Qt::black, 0));
    p.drawLine(QPointF(plot.left(), axes.Y(0)), QPointF(plot.right(), axes.Y(0)));
    p.restore();
}

} // namespace

void DrawTolerancePlots(QPainter& p, const QRectF& area, const ToleranceResult& r, char sep)
{
    // One key for all six, below them.
    const QFontMetricsF fm(p.font());
    const double line = fm.height();
    const QRectF a = area.adjusted(0, 0, 0, -line * 2.2);
    p.save();
    double x = a.left();
    const double y = a.bottom() + line * 0.2;
    const auto key = [&](const QColor& colour, Qt::PenStyle style, const QString& text) {
        if (style == Qt::NoPen)
            p.fillRect(QRectF(x, y + line * 0.25, line * 0.6, line * 0.6), colour);
        else {
            p.setPen(QPen(colour, 2 * LineUnit(fm), style));
            p.drawLine(QPointF(x, y + line / 2), QPointF(x + line * 1.2, y + line / 2));
        }
        x += line * (style == Qt::NoPen ? 0.8 : 1.4);
        p.setPen(Qt::black);
        p.drawText(QPointF(x, y + fm.ascent()), text);
        x += fm.horizontalAdvance(text) + line;
    };
    key(Qt::darkGreen, Qt::DashLine, QStringLiteral("nominal"));
    key(Qt::darkGray, Qt::DotLine, QStringLiteral("5 % and 95 %"));
    key(kLengthBar, Qt::NoPen, QStringLiteral("builds; length per mm"));
    key(kPositionBar, Qt::NoPen, QStringLiteral("position per mm"));
    p.drawText(QRectF(a.left(), y + line, a.width(), line), Qt::AlignLeft,
               QStringLiteral("Elements: R reflector, D dipole, then the directors by number"));
    p.restore();
    const double w = a.width() / 3, h = a.height() / 2;
    for (size_t k = 0; k < kJudged.size(); ++k) {
        const double x = a.left() + w * static_cast<double>(k);
        DrawToleranceHistogram(p, {x, a.top(), w, h}, r, kJudged[k], sep);
        DrawSensitivityBars(p, {x, a.top() + h, w, h}, r, kJudged[k], sep);
    }
}

void DrawTolerancePage(QPainter& p, const QRectF& page, const ToleranceResult& r, char sep)
{
    // The per-element lines stay in the screen's table and the CSV, where a
    // long boom's hundred rows fit; the page has their bars.
    ResultText text = ToleranceText(r, sep);
    text.tables.pop_back();
    const double y = DrawFigureRows(p, page, ResultRows(text)) + QFontMetricsF(p.font()).height();
    DrawTolerancePlots(p, QRectF(page.left(), y, page.width(), page.bottom() - y), r, sep);
}

} // namespace tavora::app
