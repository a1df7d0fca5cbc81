// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/simulation/sweep_page.h"

#include "app/shell/tool_widgets.h"
#include "app/shell/user_locale.h"
#include "app/simulation/simulation_plots.h"

#include "nec/deck.h"
#include "simulation/touchstone.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QTableWidget>

#include <algorithm>

namespace tavora::app {

SweepPage::SweepPage(PageHost& host) : ResultPage(host, DrawSimulationPage, SimulationCsv)
{
    setObjectName(QStringLiteral("SweepPage"));
    const auto button = [this](const char* name, const char* caption) {
        auto* b = new QPushButton(QString::fromUtf8(caption), this);
        b->setObjectName(QString::fromUtf8(name));
        return b;
    };
    simulate_ = button("Simulate", "&Simulate");
    saveS1p_ = button("SaveTouchstone", "Save Touchst&one");
    saveNec_ = button("SaveNecDeck", "Save &NEC deck");
    // Room for the heading and four notes: the model's own and those on how
    // far its figures can be trusted.
    notes_ = new QLabel(this);
    notes_->setObjectName(QStringLiteral("Notes"));
    notes_->setWordWrap(true);
    notes_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    notes_->setMinimumHeight(notes_->fontMetrics().lineSpacing() * 4);
    figures_ = AddFigureTable("Figures", this);
    sweep_ = AddFigureTable("Sweep", this);
    plots_ = new ResultPicture<SimulationResult>(this, "Plots", result_, DrawSimulationPlots);

    auto* buttons = new QHBoxLayout;
    for (QPushButton* b : {simulate_, saveS1p_, saveNec_})
        buttons->addWidget(b);
    buttons->addStretch();
    auto* grid = new QGridLayout(this);
    grid->addLayout(buttons, 0, 0, 1, 2);
    grid->addWidget(notes_, 1, 0, 1, 2);
    grid->addWidget(figures_, 2, 0);
    grid->addWidget(sweep_, 3, 0);
    grid->addWidget(plots_, 2, 1, 2, 1);
    // The figures' widest row (a gain beside its DL6WU estimate) before the plots.
    grid->setColumnStretch(0, 3);
    grid->setColumnStretch(1, 2);
    grid->setRowStretch(2, 4);
    grid->setRowStretch(3, 3);

    connect(simulate_, &QPushButton::clicked, this, [this] { Host().Guard([this] { Start(); }); });
    connect(saveS1p_, &QPushButton::clicked, this,
            [this] { Host().Guard([this] { SaveTouchstone(); }); });
    connect(saveNec_, &QPushButton::clicked, this,
            [this] { Host().Guard([this] { SaveNecDeck(); }); });
}

QString SweepPage::Title() const
{
    return QStringLiteral("Patterns and sweep");
}

void SweepPage::SetRunning(bool running)
{
    SimulationPage::SetRunning(running);
    saveS1p_->setEnabled(!running && result_.has_value());
    saveNec_->setEnabled(!running);
}

void SweepPage::Rescaled()
{
    FitColumns(figures_);
    FitColumns(sweep_);
    WidenToRows(figures_);
}

void SweepPage::Start()
{
    const NecModel model = Host().Model();
    Ask(QStringLiteral("Running nec2c..."), model, Host().Settings());
}

void SweepPage::Clear()
{
    notes_->clear();
    ClearTable(figures_);
    ClearTable(sweep_);
    plots_->update();
}

void SweepPage::Show()
{
    const char sep = UserDecimalSep();
    // The heading and the model's notes are sentences; the figures are rows.
    const ResultText text = SimulationText(*result_, sep);
    ShowFigures(text, notes_, figures_);
    WidenToRows(figures_);
    FillTable(sweep_, text.tables.at(0));
    plots_->update();
}

void SweepPage::SaveTouchstone()
{
    if (result_)
        Host().SaveText("Save Touchstone file", "s1p", "Touchstone files (*.s1p);;All files (*.*)",
                        TouchstoneS1p(*result_));
}

// The deck needs no run: the model of the chosen driven element, as the
// command line's `design --nec` writes it.
void SweepPage::SaveNecDeck()
{
    Host().SaveText("Save NEC deck", "nec", "NEC-2 decks (*.nec);;All files (*.*)",
                    ExportDeck(Host().Source()(Host().ChosenFeed())));
}

} // namespace tavora::app
