// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/simulation/array_page.h"

#include "app/shell/tool_widgets.h"
#include "app/shell/user_locale.h"
#include "app/simulation/array_plots.h"

#include "state/numbers.h"
#include "state/refusals.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QTableWidget>

namespace tavora::app {

ArrayPage::ArrayPage(PageHost& host) : ResultPage(host, DrawArrayPage, ArrayCsv)
{
    setObjectName(QStringLiteral("ArrayPage"));
    simulate_ = new QPushButton(QStringLiteral("Simulate &array"), this);
    simulate_->setObjectName(QStringLiteral("SimulateArray"));
    arrangement_ = new QComboBox(this);
    arrangement_->setObjectName(QStringLiteral("Arrangement"));
    arrangement_->addItems({QStringLiteral("2 vertically"), QStringLiteral("2 side by side"),
                            QStringLiteral("4 in a 2 x 2 box")});
    const ArraySettings defaults;
    const auto edit = [this](const char* name, const QString& text, const QString& tip) {
        auto* e = new QLineEdit(text, this);
        e->setObjectName(QString::fromUtf8(name));
        e->setToolTip(tip);
        e->setMaximumWidth(90);
        return e;
    };
    const QString limit = QStringLiteral("; at most %1 wavelengths").arg(kStackSpacingRange.high);
    spacing_ = edit("Spacing", QStringLiteral("0"),
                    QStringLiteral("mm: 0 takes the stacking rule's spacing; a box's vertical "
                                   "spacing, its horizontal one keeping the rule's ratio") +
                        limit);
    from_ = edit("SweepFrom", QStringLiteral("0"),
                 QStringLiteral("mm: 0 takes half the rule's spacing") + limit);
    to_ = edit("SweepTo", QStringLiteral("0"),
               QStringLiteral("mm: 0 takes twice the rule's spacing") + limit);
    points_ = edit("SweepPoints", QString::number(defaults.sweepPoints),
                   QStringLiteral("Spacings in the sweep, 2 to %1").arg(kMaxSweepPoints));
    sideLobe_ = edit("SideLobeLevel",
                     UserNumberText(std::to_string(static_cast<int>(defaults.sideLobeLimit))),
                     QStringLiteral("dB under the forward gain: the sweep marks the largest "
                                    "spacing whose side lobes stay below it"));
    // The heading says what was simulated, as the command line's does; the
    // notes follow it.
    notes_ = new QLabel(this);
    notes_->setObjectName(QStringLiteral("ArrayNotes"));
    notes_->setWordWrap(true);
    notes_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    figures_ = AddFigureTable("ArrayFigures", this);
    sweep_ = AddFigureTable("ArraySweep", this);
    plots_ = new ResultPicture<ArrayResult>(this, "ArrayPlots", result_, DrawArrayPlots);

    auto* boxes = new QHBoxLayout;
    boxes->addWidget(simulate_);
    const auto add = [this, boxes](const char* caption, QWidget* box) {
        boxes->addWidget(new QLabel(QString::fromUtf8(caption), this));
        boxes->addWidget(box);
    };
    add("Yagis", arrangement_);
    add(kSpacingBox, spacing_);
    add(kSweepBox, from_);
    add("to", to_);
    add(kSweepPointsBox, points_);
    add(kSideLobeBox, sideLobe_);
    boxes->addStretch();
    auto* grid = new QGridLayout(this);
    grid->addLayout(boxes, 0, 0, 1, 2);
    // The notes above the figures only: wrapped across both columns, a long
    // one (the metal boom's) took its height from the plots.
    grid->addWidget(notes_, 1, 0);
    grid->addWidget(figures_, 2, 0);
    grid->addWidget(sweep_, 3, 0);
    grid->addWidget(plots_, 1, 1, 3, 1);
    // The figures' widest row (a beamwidth beside one Yagi's) before the plots.
    grid->setColumnStretch(0, 1);
    grid->setColumnStretch(1, 1);
    grid->setRowStretch(2, 4);
    grid->setRowStretch(3, 3);

    connect(simulate_, &QPushButton::clicked, this, [this] { Host().Guard([this] { Start(); }); });
}

QString ArrayPage::Title() const
{
    return QStringLiteral("Stacked array");
}

void ArrayPage::SetRunning(bool running)
{
    SimulationPage::SetRunning(running);
    for (QWidget* box :
         std::initializer_list<QWidget*>{arrangement_, spacing_, from_, to_, points_, sideLobe_})
        box->setEnabled(!running);
}

void ArrayPage::Rescaled()
{
    FitColumns(figures_);
    WidenToRows(figures_);
    FitColumns(sweep_);
}

ArraySettings ArrayPage::Settings() const
{
    const char sep = UserDecimalSep();
    ArraySettings s;
    s.arrangement = static_cast<Arrangement>(arrangement_->currentIndex());
    s.spacing = BoxNumber(Text(spacing_), kSpacingBox, sep);
    s.sweepFrom = BoxNumber(Text(from_), kSweepBox, sep);
    s.sweepTo = BoxNumber(Text(to_), kSweepBox, sep);
    s.sweepPoints = BoxWholeNumber(Text(points_), kSweepPointsBox, sep);
    s.sideLobeLimit = BoxNumber(Text(sideLobe_), kSideLobeBox, sep);
    return s;
}

void ArrayPage::Start()
{
    const NecModel model = Host().Model();
    Ask(QStringLiteral("Running nec2c..."), model, Settings());
}

void ArrayPage::Clear()
{
    notes_->clear();
    ClearTable(figures_);
    ClearTable(sweep_);
    plots_->update();
}

void ArrayPage::Show()
{
    const char sep = UserDecimalSep();
    const ResultText text = ArrayText(*result_, sep);
    ShowFigures(text, notes_, figures_);
    WidenToRows(figures_);
    FillTable(sweep_, text.tables.at(0));
    plots_->update();
}

} // namespace tavora::app
