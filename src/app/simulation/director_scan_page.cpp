// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/simulation/director_scan_page.h"

#include "app/shell/tool_widgets.h"
#include "app/shell/user_locale.h"
#include "app/simulation/director_scan_plots.h"

#include "state/errors.h"
#include "state/refusals.h"

#include <QFont>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>

#include <algorithm>

namespace tavora::app {

namespace {

// The page opens on the design's count and ten either side, within the
// counts a builder asks about.
constexpr int kAround = 10;
constexpr int kLeastOpened = 1;

// The three figures take no more height than their rows: the table and the
// plot below take the rest.
void FitHeight(QTableWidget* table)
{
    table->setFixedHeight(table->verticalHeader()->length() + 2 * table->frameWidth());
}

} // namespace

DirectorScanPage::DirectorScanPage(PageHost& host)
    : ResultPage(host, DrawDirectorScanPage, DirectorScanCsv)
{
    setObjectName(QStringLiteral("DirectorScanPage"));
    scan_ = new QPushButton(QStringLiteral("Scan &directors"), this);
    scan_->setObjectName(QStringLiteral("Scan"));
    const QString tip = QStringLiteral("Directors, %1 to %2")
                            .arg(kScanDirectorRange.low)
                            .arg(kScanDirectorRange.high);
    const auto edit = [this, &tip](const char* name) {
        auto* e = new QLineEdit(this);
        e->setObjectName(QString::fromUtf8(name));
        e->setToolTip(tip);
        e->setMaximumWidth(70);
        return e;
    };
    from_ = edit("ScanFrom");
    to_ = edit("ScanTo");
    // An existing Yagi, or an entry Calculate refuses, opens with empty
    // boxes: Scan then says why there is nothing to scan.
    try {
        if (Host().Source().design) {
            const int count = Host().Source().design().DirCount;
            const int most = static_cast<int>(kScanDirectorRange.high);
            from_->setText(QString::number(std::clamp(count - kAround, kLeastOpened, most)));
            to_->setText(QString::number(std::clamp(count + kAround, kLeastOpened, most)));
        }
    } catch (const std::exception&) {
    }
    notes_ = new QLabel(this);
    notes_->setObjectName(QStringLiteral("ScanNotes"));
    notes_->setWordWrap(true);
    notes_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    notes_->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Maximum);
    figures_ = AddFigureTable("ScanFigures", this);
    table_ = AddFigureTable("ScanTable", this);
    plot_ = new ResultPicture<DirectorScan>(this, "ScanPlot", result_, DrawDirectorScanPlot);

    auto* boxes = new QHBoxLayout;
    boxes->addWidget(scan_);
    boxes->addWidget(new QLabel(QString::fromUtf8(kScanFromBox), this));
    boxes->addWidget(from_);
    boxes->addWidget(new QLabel(QStringLiteral("to"), this));
    boxes->addWidget(to_);
    boxes->addStretch();
    auto* grid = new QGridLayout(this);
    grid->addLayout(boxes, 0, 0, 1, 2);
    grid->addWidget(notes_, 1, 0);
    grid->addWidget(figures_, 1, 1);
    grid->addWidget(table_, 2, 0, 1, 2);
    grid->addWidget(plot_, 3, 0, 1, 2);
    grid->setColumnStretch(0, 1);
    grid->setRowStretch(2, 1);
    grid->setRowStretch(3, 1);

    connect(scan_, &QPushButton::clicked, this, [this] { Host().Guard([this] { Start(); }); });
}

QString DirectorScanPage::Title() const
{
    return QStringLiteral("Director count");
}

void DirectorScanPage::SetRunning(bool running)
{
    SimulationPage::SetRunning(running);
    from_->setEnabled(!running);
    to_->setEnabled(!running);
}

void DirectorScanPage::Rescaled()
{
    FitColumns(figures_);
    WidenToRows(figures_);
    FitHeight(figures_);
    FitColumns(table_);
}

void DirectorScanPage::Start()
{
    const ModelSource& source = Host().Source();
    if (!source.design)
        throw Error(kNoScanDesign);
    const char sep = UserDecimalSep();
    const ScanDesign design{source.design(), sep};
    DirectorScanSettings s;
    s.from = BoxWholeNumber(Text(from_), kScanFromBox, sep);
    s.to = BoxWholeNumber(Text(to_), kScanToBox, sep);
    s.feed = Host().ChosenFeed();
    s.z0 = Host().Settings().z0;
    Ask(QStringLiteral("Running nec2c..."), design, s);
}

void DirectorScanPage::Clear()
{
    notes_->clear();
    ClearTable(figures_);
    ClearTable(table_);
    plot_->update();
}

void DirectorScanPage::Show()
{
    const ResultText text = DirectorScanText(*result_, UserDecimalSep());
    ShowFigures(text, notes_, figures_);
    const TextTable& table = text.tables.at(0);
    notes_->setText(notes_->text() + QLatin1Char('\n') + QString::fromStdString(table.caption));
    WidenToRows(figures_);
    FitHeight(figures_);
    FillTable(table_, table);
    // The marked counts stand out beside their mark.
    for (int row : {result_->bestFrontToBack, result_->lowestSwr}) {
        for (int c = 0; row >= 0 && c < table_->columnCount(); ++c) {
            QTableWidgetItem* item = table_->item(row, c);
            QFont font = item->font();
            font.setBold(true);
            item->setFont(font);
        }
    }
    FitColumns(table_);
    plot_->update();
}

} // namespace tavora::app
