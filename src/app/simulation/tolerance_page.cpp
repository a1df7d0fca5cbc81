// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/simulation/tolerance_page.h"

#include "app/shell/user_locale.h"
#include "app/simulation/tolerance_plots.h"

#include "text/format.h"
#include "state/errors.h"
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

#include <algorithm>
#include <cmath>
#include <memory>

namespace tavora::app {

namespace {

constexpr const char* kSeedBox = "Seed";
constexpr const char* kDistributions[] = {"uniform", "normal"};

} // namespace

TolerancePage::TolerancePage(PageHost& host) : ResultPage(host, DrawTolerancePage, ToleranceCsv)
{
    setObjectName(QStringLiteral("TolerancePage"));
    const char sep = UserDecimalSep();
    auto* boxes = new QHBoxLayout;
    const auto edit = [this, boxes](const char* name, const char* caption, const QString& text) {
        boxes->addWidget(new QLabel(QString::fromUtf8(caption), this));
        auto* e = new QLineEdit(text, this);
        e->setObjectName(QString::fromUtf8(name));
        e->setMaximumWidth(e->fontMetrics().horizontalAdvance(QStringLiteral("000000000")));
        boxes->addWidget(e);
        return e;
    };
    builds_ = edit("Builds", kBuildsBox, QString::number(kDefaultBuilds));
    // Empty takes the report's tolerance unrounded, as the command line does
    // without --length-tol; the box shows it in grey when the design gives a
    // model.
    lengthTol_ = edit("LengthTolerance", kLengthTolBox, QString());
    try {
        lengthTol_->setPlaceholderText(QString::fromStdString(
            FormatFixed(DefaultLengthTolerance(Host().Source()(Host().ChosenFeed())), 6, 2, sep)));
    } catch (const Error&) {
    }
    lengthTol_->setToolTip(
        QStringLiteral("Empty: the report's tolerance, 0.3 % of the wavelength"));
    positionTol_ = edit("PositionTolerance", kPositionTolBox,
                        QString::fromStdString(FormatFixed(kDefaultPositionTol, 6, 1, sep)));
    boxes->addWidget(new QLabel(QStringLiteral("Distribution"), this));
    distribution_ = new QComboBox(this);
    distribution_->setObjectName(QStringLiteral("Distribution"));
    for (const char* d : kDistributions)
        distribution_->addItem(QString::fromUtf8(d));
    distribution_->setToolTip(QStringLiteral("normal: sigma half the tolerance, none beyond it"));
    boxes->addWidget(distribution_);
    seed_ = edit("Seed", kSeedBox, QStringLiteral("1"));
    seed_->setToolTip(QStringLiteral("The same seed gives the same builds"));
    run_ = new QPushButton(QStringLiteral("Run b&uilds"), this);
    run_->setObjectName(QStringLiteral("RunBuilds"));
    boxes->addWidget(run_);
    boxes->addStretch();

    const auto label = [this](const char* name) {
        auto* l = new QLabel(this);
        l->setObjectName(QString::fromUtf8(name));
        l->setWordWrap(true);
        return l;
    };
    heading_ = label("ToleranceHeading");
    perElement_ = label("PerElementHeading");
    spread_ = AddFigureTable("Spread", this);
    sensitivity_ = AddFigureTable("Sensitivity", this);
    plots_ =
        new ResultPicture<ToleranceResult>(this, "TolerancePlots", result_, DrawTolerancePlots);
    auto* grid = new QGridLayout(this);
    grid->addLayout(boxes, 0, 0, 1, 2);
    grid->addWidget(heading_, 1, 0, 1, 2);
    grid->addWidget(spread_, 2, 0);
    grid->addWidget(perElement_, 3, 0);
    grid->addWidget(sensitivity_, 4, 0);
    grid->addWidget(plots_, 2, 1, 3, 1);
    grid->setColumnStretch(0, 5);
    grid->setColumnStretch(1, 7);
    grid->setRowStretch(2, 2);
    grid->setRowStretch(4, 3);
    connect(run_, &QPushButton::clicked, this, [this] { Host().Guard([this] { Start(); }); });
}

QString TolerancePage::Title() const
{
    return QStringLiteral("Tolerance");
}

void TolerancePage::Rescaled()
{
    FitColumns(spread_);
    FitColumns(sensitivity_);
    WidenToRows(spread_);
    WidenToRows(sensitivity_);
}

ToleranceSettings TolerancePage::Settings() const
{
    const char sep = UserDecimalSep();
    const auto text = [](const QLineEdit* e) { return e->text().trimmed().toStdString(); };
    ToleranceSettings s;
    s.builds = BoxWholeNumber(text(builds_), kBuildsBox, sep);
    if (!text(lengthTol_).empty())
        s.lengthTol = BoxNumber(text(lengthTol_), kLengthTolBox, sep);
    s.positionTol = BoxNumber(text(positionTol_), kPositionTolBox, sep);
    const int seed = BoxWholeNumber(text(seed_), kSeedBox, sep);
    RefuseNegative(seed, kSeedBox);
    s.seed = static_cast<std::uint64_t>(seed);
    s.distribution =
        distribution_->currentIndex() == 1 ? ErrorDistribution::Normal : ErrorDistribution::Uniform;
    s.z0 = Host().Settings().z0;
    return s;
}

void TolerancePage::Start()
{
    const NecModel model = Host().Model();
    Ask(QStringLiteral("Running nec2c over the builds..."), model, Settings());
}

void TolerancePage::Clear()
{
    heading_->clear();
    perElement_->clear();
    ClearTable(spread_);
    ClearTable(sensitivity_);
    plots_->update();
}

void TolerancePage::Show()
{
    const ResultText text = ToleranceText(*result_, UserDecimalSep());
    heading_->setText(QString::fromStdString(text.heading));
    // The spread and the systematic errors in one table, an empty row
    // between; the per-element table under its own caption.
    std::vector<Cells> spread;
    for (size_t t = 0; t + 1 < text.tables.size(); ++t) {
        if (t > 0)
            spread.emplace_back();
        spread.push_back(text.tables[t].columns);
        spread.insert(spread.end(), text.tables[t].rows.begin(), text.tables[t].rows.end());
    }
    FillTable(spread_, spread);
    perElement_->setText(QString::fromStdString(text.tables.back().caption));
    FillTable(sensitivity_, text.tables.back());
    // Every column of both tables shows; the plots take what is left.
    WidenToRows(spread_);
    WidenToRows(sensitivity_);
    plots_->update();
}

} // namespace tavora::app
