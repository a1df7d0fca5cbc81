// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/simulation/tune_page.h"

#include "app/shell/user_locale.h"
#include "app/simulation/simulation_plots.h"

#include "text/format.h"
#include "feedline/impedance.h"
#include "simulation/plot_scale.h"
#include "state/numbers.h"

#include <QFontMetricsF>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPainterPath>
#include <QPushButton>
#include <QTableWidget>

#include <algorithm>
#include <cmath>

namespace tavora::app {

namespace {

const QColor kMatched(0, 130, 0);

} // namespace

TunePage::TunePage(PageHost& host, DesignState design)
    : ResultPage(host, DrawTunePage, TuneCsv), design_(std::move(design))
{
    setObjectName(QStringLiteral("TunePage"));
    tune_ = new QPushButton(QStringLiteral("&Tune"), this);
    tune_->setObjectName(QStringLiteral("Tune"));
    auto* vfLabel = new QLabel(
        QString::fromUtf8(kVelocityFactorBox) + QStringLiteral(" of the transformer's coax"), this);
    vfLabel->setObjectName(QStringLiteral("VelocityFactorLabel"));
    // Empty takes the chosen cable's own.
    velocityFactor_ = new QLineEdit(this);
    velocityFactor_->setObjectName(QStringLiteral("VelocityFactor"));
    velocityFactor_->setMaximumWidth(80);
    notes_ = new QLabel(this);
    notes_->setObjectName(QStringLiteral("TuneNotes"));
    notes_->setWordWrap(true);
    figures_ = AddFigureTable("TuneFigures", this);
    // The page's lines are sentences: the value column takes the width left
    // and wraps, rather than running out of sight.
    figures_->setWordWrap(true);
    figures_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    connect(figures_->horizontalHeader(), &QHeaderView::sectionResized, figures_,
            &QTableWidget::resizeRowsToContents);
    plot_ = new ResultPicture<TuneResult>(this, "TunePlot", result_, DrawTunePlot);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(tune_);
    buttons->addSpacing(20);
    buttons->addWidget(vfLabel);
    buttons->addWidget(velocityFactor_);
    buttons->addStretch();
    auto* grid = new QGridLayout(this);
    grid->addLayout(buttons, 0, 0, 1, 2);
    grid->addWidget(notes_, 1, 0, 1, 2);
    grid->addWidget(figures_, 2, 0);
    grid->addWidget(plot_, 2, 1);
    grid->setRowStretch(2, 1);
    grid->setColumnStretch(0, 6);
    grid->setColumnStretch(1, 5);

    connect(tune_, &QPushButton::clicked, this, [this] { Host().Guard([this] { Start(); }); });
}

QString TunePage::Title() const
{
    return QStringLiteral("Tune and match");
}

void TunePage::Rescaled()
{
    FitColumns(figures_);
}

void TunePage::Start()
{
    TuneSettings settings;
    settings.simulation = Host().Settings();
    const std::string vf = velocityFactor_->text().trimmed().toStdString();
    if (!vf.empty())
        settings.velocityFactor = StrToFloat(vf, UserDecimalSep());
    Ask(QStringLiteral("Tuning with nec2c..."), TuneSubjectOf(design_, Host().ChosenFeed()),
        settings);
}

void TunePage::Clear()
{
    notes_->clear();
    ClearTable(figures_);
    plot_->update();
}

void TunePage::Show()
{
    ShowFigures(TuneText(*result_, UserDecimalSep()), notes_, figures_);
    QHeaderView* header = figures_->horizontalHeader();
    header->setSectionResizeMode(QHeaderView::ResizeToContents);
    header->setSectionResizeMode(figures_->columnCount() - 1, QHeaderView::Stretch);
    figures_->resizeRowsToContents();
    plot_->update();
}

void DrawTunePlot(QPainter& p, const QRectF& area, const TuneResult& r, char sep)
{
    const std::vector<SweepRow>& tuned = r.tuned.sweep;
    if (tuned.empty())
        return;
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    const QFontMetricsF fm(p.font());
    const double line = fm.height(), unit = LineUnit(fm);
    const double margin = fm.horizontalAdvance(QStringLiteral("00000")) + 6;
    const QRectF plot = area.adjusted(margin, line * 3.5, -margin, -line * 2.6);

    struct Trace {
        std::vector<double> y;
        bool swr;
        QColor colour;
        Qt::PenStyle style;
        QString name;
    };
    std::vector<Trace> traces;
    const auto column = [](const std::vector<SweepRow>& rows, bool swr) {
        std::vector<double> y;
        for (const SweepRow& row : rows)
            y.push_back(swr ? std::min(row.swr, 10.0) : row.gainDbi);
        return y;
    };
    if (r.sweepBefore && r.sweepBefore->sweep.size() == tuned.size()) {
        traces.push_back({column(r.sweepBefore->sweep, false), false, kBlue, Qt::DashLine,
                          QStringLiteral("Gain, DL6WU length")});
        traces.push_back({column(r.sweepBefore->sweep, true), true, kRed, Qt::DashLine,
                          QStringLiteral("SWR, DL6WU length")});
    }
    traces.push_back(
        {column(tuned, false), false, kBlue, Qt::SolidLine, QStringLiteral("Gain, tuned")});
    traces.push_back(
        {column(tuned, true), true, kRed, Qt::SolidLine, QStringLiteral("SWR, tuned")});
    // The first match offered, as the figures list them.
    const SwrSpan* offered = r.match.cable ? &r.match.cable->swr
                             : r.OffersRods() ? &r.match.rods.swr
                                              : nullptr;
    if (offered) {
        std::vector<double> matched;
        for (double swr : offered->sweep)
            matched.push_back(std::min(swr, 10.0));
        traces.push_back(
            {matched, true, kMatched, Qt::SolidLine, QStringLiteral("SWR, tuned and matched")});
    }

    // Gain on the left axis, SWR on the right.
    double glo = 1e9, ghi = -1e9, shi = 1.5;
    for (const Trace& t : traces)
        for (double y : t.y) {
            if (t.swr) {
                shi = std::max(shi, y);
            } else {
                glo = std::min(glo, y);
                ghi = std::max(ghi, y);
            }
        }
    if (ghi - glo < 0.5)
        ghi = glo + 0.5;
    const double gpad = (ghi - glo) * 0.05;
    glo -= gpad, ghi += gpad;
    const double slo = 1;
    shi += (shi - slo) * 0.05;
    const double xlo = tuned.front().frequency,
                 xhi = tuned.size() > 1 ? tuned.back().frequency : xlo + 1;
    const PlotAxes axes{area, plot, xlo, xhi, {glo, ghi, kBlue}, {slo, shi, kRed}};
    const auto px = [&](double x) { return axes.X(x); };
    const auto py = [&](double y, bool swr) { return axes.Y(y, swr ? axes.right : axes.left); };

    p.setPen(Qt::black);
    p.drawText(QRectF(area.left(), area.top(), area.width(), line), Qt::AlignHCenter,
               QString::fromUtf8(kGainAxis) + QStringLiteral(" and ") +
                   Q(SwrCaption(r.match.z0, sep)));
    // The legend, two rows under the title.
    double lx = area.left(), ly = area.top() + line;
    for (const Trace& t : traces) {
        const double width = line * 2 + fm.horizontalAdvance(t.name) + line;
        if (lx + width > area.right()) {
            lx = area.left();
            ly += line;
        }
        p.setPen(QPen(t.colour, 2 * unit, t.style));
        p.drawLine(QPointF(lx, ly + line / 2), QPointF(lx + line * 1.5, ly + line / 2));
        p.setPen(Qt::black);
        p.drawText(QPointF(lx + line * 2, ly + fm.ascent()), t.name);
        lx += width;
    }
    DrawPlotAxes(p, axes, 5, QString::fromUtf8(kFrequencyAxis), sep);
    p.setPen(QPen(Qt::darkGreen, unit, Qt::DotLine));
    p.drawLine(QPointF(px(r.tuned.frequency), plot.top()),
               QPointF(px(r.tuned.frequency), plot.bottom()));

    p.setClipRect(plot);
    for (const Trace& t : traces) {
        QPainterPath path;
        for (size_t i = 0; i < t.y.size(); ++i) {
            const QPointF pt(px(tuned[i].frequency), py(t.y[i], t.swr));
            i == 0 ? path.moveTo(pt) : path.lineTo(pt);
        }
        p.setPen(QPen(t.colour, 2 * unit, t.style));
        p.drawPath(path);
    }
    p.restore();
}

void DrawTunePage(QPainter& p, const QRectF& page, const TuneResult& r, char sep)
{
    const double y = DrawFigureRows(p, page, FigureRows(TuneText(r, sep)));
    const double line = QFontMetricsF(p.font()).height();
    // No taller than a screen's plot is for its width: a page-high one would
    // stretch the traces past reading.
    const double height = std::min(page.bottom() - y - line, page.width() * 0.75);
    DrawTunePlot(p, QRectF(page.left(), y + line, page.width(), height), r, sep);
}

} // namespace tavora::app
