// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/simulation/live_figures.h"

#include "app/shell/radio_group.h"
#include "app/shell/user_locale.h"
#include "app/simulation/simulation_page.h"

#include "nec/runner.h"
#include "simulation/live.h"
#include "state/errors.h"

#include <QComboBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QTableWidget>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QVBoxLayout>

#include <exception>

namespace tavora::app {

LiveFigures::LiveFigures(QWidget* parent, QRect geometry, Source source)
    : QWidget(parent), source_(std::move(source)), stop_(std::make_shared<std::atomic<bool>>(false))
{
    setObjectName(QStringLiteral("LiveFigures"));
    setGeometry(geometry);
    // The window's scaler places what lies in plain group boxes itself: this
    // one's layout places its own, inside a widget of a class of its own.
    box_ = new QGroupBox(QString::fromUtf8(kLiveTitle), this);
    box_->setObjectName(QStringLiteral("LiveBox"));
    box_->setCheckable(true);
    box_->setChecked(true);
    box_->setToolTip(QStringLiteral("The simulated figures of what is typed now; untick to hide"));
    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->addWidget(box_);
    pool_.setMaxThreadCount(1);
    pause_.setSingleShot(true);
    pause_.setInterval(kPauseMs);
    connect(&pause_, &QTimer::timeout, this, &LiveFigures::Start);

    dipole_ = new QComboBox(box_);
    dipole_->setObjectName(QStringLiteral("LiveDipole"));
    dipole_->addItems({QStringLiteral("Single dipole"), QStringLiteral("Folded dipole")});
    status_ = new QLabel(box_);
    status_->setObjectName(QStringLiteral("LiveStatus"));
    status_->setWordWrap(true);
    figures_ = AddFigureTable("LiveTable", box_);
    figures_->horizontalHeader()->hide();
    figures_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    figures_->setFrameShape(QFrame::NoFrame);
    // On the panel's own ground: a style sheet would fix its font against
    // the window's scaling.
    QPalette ground = figures_->palette();
    ground.setColor(QPalette::Base, Qt::transparent);
    figures_->setPalette(ground);
    notes_ = new QLabel(box_);
    notes_->setObjectName(QStringLiteral("LiveNotes"));
    notes_->setWordWrap(true);
    // A column where the screen has height to spare; else the choice and the
    // messages beside it, and to their right the figures across under their
    // captions.
    across_ = geometry.width() > 3 * geometry.height();
    auto* layout = new QGridLayout(box_);
    layout->setContentsMargins(8, 2, 8, 2);
    layout->setVerticalSpacing(2);
    if (across_) {
        figures_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        auto* choice = new QHBoxLayout;
        choice->setSpacing(8);
        choice->addWidget(dipole_, 0, Qt::AlignTop);
        choice->addWidget(status_, 1, Qt::AlignTop);
        layout->addLayout(choice, 0, 0);
        layout->addWidget(figures_, 0, 1);
        layout->addWidget(notes_, 1, 0, 1, 2);
        layout->setColumnStretch(0, 1);
        layout->setColumnStretch(1, 2);
        layout->setRowStretch(0, 1);
    } else {
        layout->addWidget(dipole_, 0, 0);
        layout->addWidget(status_, 1, 0);
        layout->addWidget(figures_, 2, 0);
        layout->addWidget(notes_, 3, 0);
        layout->setRowStretch(2, 1);
    }

    connect(dipole_, &QComboBox::currentIndexChanged, this, &LiveFigures::InputsChanged);
    connect(box_, &QGroupBox::toggled, this, [this](bool shown) {
        for (QWidget* w : {static_cast<QWidget*>(dipole_), static_cast<QWidget*>(status_),
                           static_cast<QWidget*>(figures_), static_cast<QWidget*>(notes_)})
            w->setVisible(shown && (w != status_ || !status_->text().isEmpty()));
        if (shown)
            InputsChanged();
        else
            Stop();
    });
}

LiveFigures::~LiveFigures()
{
    Stop();
    pool_.waitForDone();
}

void LiveFigures::Follow(QWidget* screen)
{
    for (QLineEdit* box : screen->findChildren<QLineEdit*>())
        if (!isAncestorOf(box))
            connect(box, &QLineEdit::textChanged, this, &LiveFigures::InputsChanged);
    for (RadioGroup* group : screen->findChildren<RadioGroup*>())
        connect(group, &RadioGroup::Clicked, this, &LiveFigures::InputsChanged);
}

bool LiveFigures::Busy() const { return pause_.isActive() || running_ > 0; }

void LiveFigures::Stop()
{
    ++generation_;
    stop_->store(true);
    pause_.stop();
}

void LiveFigures::InputsChanged()
{
    Stop();
    if (!box_->isChecked())
        return;
    // The figures shown no longer belong to the boxes: marked until the new
    // ones come.
    figures_->setEnabled(false);
    SetStatus(QString::fromUtf8(kLiveUpdating));
    pause_.start();
}

void LiveFigures::SetStatus(const QString& text)
{
    status_->setText(text);
    status_->setVisible(box_->isChecked() && !text.isEmpty());
}

void LiveFigures::ShowMessage(const QString& text)
{
    ClearTable(figures_);
    notes_->clear();
    SetStatus(text);
}

void LiveFigures::Start()
{
    NecModel model;
    try {
        model = source_(static_cast<Feed>(dipole_->currentIndex()));
        if (FindEngine().empty())
            throw Error(kEngineMissing);
    } catch (const std::exception& e) {
        // Said here, not in a box: the user is still typing.
        ShowMessage(QString::fromUtf8(e.what()));
        return;
    }
    auto stop = std::make_shared<std::atomic<bool>>(false);
    stop_ = stop;
    const int generation = generation_;
    // Back on the window's thread, shown only while the boxes are as they
    // were when the run started.
    const auto deliver = [this, generation](std::function<void()> show) {
        QMetaObject::invokeMethod(
            this,
            [this, generation, show = std::move(show)] {
                if (generation == generation_)
                    show();
            },
            Qt::QueuedConnection);
    };
    ++running_;
    pool_.start([this, stop, model, deliver] {
        // A run queued behind an abandoned one may be abandoned itself.
        if (!stop->load()) {
            RunControl control;
            control.cancel = stop.get();
            const SimulationSettings settings = LiveSettings();
            try {
                SimulationResult result = Run(model, settings, control);
                auto figures = std::make_shared<const SimulationResult>(result);
                deliver([this, figures] { ShowResult(*figures, false); });
                AddBars(result, model, settings, control);
                auto barred = std::make_shared<const SimulationResult>(std::move(result));
                deliver([this, barred] { ShowResult(*barred, true); });
            } catch (const SimulationCancelled&) {
            } catch (const std::exception& e) {
                deliver([this, text = QString::fromUtf8(e.what())] { ShowMessage(text); });
            }
        }
        QMetaObject::invokeMethod(this, [this] { --running_; }, Qt::QueuedConnection);
    });
}

void LiveFigures::ShowResult(const SimulationResult& result, bool bars)
{
    SetStatus(bars ? QString() : QString::fromUtf8(kLiveBarsFollow));
    const ResultText text = LiveFiguresText(result, UserDecimalSep());
    if (across_) {
        Cells heads, values;
        for (const FigureRow& row : text.figures) {
            heads.push_back(row.label.substr(0, row.label.find_last_not_of(':') + 1));
            values.push_back(row.Text());
        }
        FillTable(figures_, {values}, &heads);
        QStringList notes;
        for (const std::string& note : text.notes)
            notes << QString::fromStdString(note);
        notes_->setText(notes.join(QLatin1Char('\n')));
    } else {
        ShowFigures(text, notes_, figures_);
    }
    figures_->setEnabled(true);
    FitColumns(figures_);
}

} // namespace tavora::app
