// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/arrays/stacking_window.h"

#include "app/arrays/stacking_pictures.h"
#include "app/shell/form_scaler.h"
#include "app/shell/pictures.h"
#include "app/shell/radio_group.h"
#include "app/shell/tool_widgets.h"
#include "app/shell/user_locale.h"
#include "app/simulation/simulation_window.h"

#include "arrays/stacking.h"
#include "state/design_state.h"
#include "state/errors.h"
#include "state/numbers.h"
#include "state/refusals.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>

namespace tavora::app {

StackingWindow::StackingWindow(QWidget* owner, AppContext& context)
    : BaseWindow(owner, context, kDesignSize)
{
    setObjectName(QStringLiteral("Yagibaseform4"));
    SetHelpTopic(shell::HelpTopic::Stacking);
    setWindowTitle(QStringLiteral("Stacking"));
    HideMenu(BaseMenu::File);
    HideMenu(BaseMenu::Task);

    QWidget* c = Client();
    SetToolFont(c);
    AddTitle(QStringLiteral("Stacking distance and gain calculations for 2 yagis"),
             {30, 40, 880, 44}, c);

    auto* entry = new QGroupBox(c);
    entry->setObjectName(QStringLiteral("Panel1"));
    entry->setGeometry(30, 96, 420, 372);
    AddLabel("Label2", QStringLiteral("Frequency in MHz"), {20, 14, 380, 28}, entry);
    frequency_ = AddEdit("Edit1", UserNumberText("144.1"), {20, 44, 160, 34}, entry);
    beamwidthLabel_ = AddLabel("Label3", QStringLiteral("Half power vertical beamwidth "),
                               {20, 94, 390, 28}, entry);
    beamwidth_ = AddEdit("Edit2", QStringLiteral("30"), {20, 124, 160, 34}, entry);
    frequency_->setToolTip(
        QStringLiteral("MHz, from %1")
            .arg(QString::fromStdString(RangeText(kFrequencyRange, UserDecimalSep()))));
    beamwidth_->setToolTip(
        QStringLiteral("One antenna's half-power beamwidth in degrees, from %1")
            .arg(QString::fromStdString(RangeText(kBeamwidthRange, UserDecimalSep()))));
    plane_ = new RadioGroup(QStringLiteral("RadioGroup1"), QStringLiteral("Beamwidth"),
                            {QStringLiteral(" Vertical"), QStringLiteral(" Horizontal")},
                            {20, 176, 220, 100}, entry);
    plane_->SetItemIndex(0);
    QPushButton* calculate =
        AddButton("Button1", QStringLiteral("&Calculate"), {20, 300, 170, 46}, entry);

    AddLabel("Label4", QStringLiteral("Stacking distance"), {30, 480, 420, 28}, c);
    memo_ = new QPlainTextEdit(c);
    memo_->setObjectName(QStringLiteral("Memo1"));
    memo_->setGeometry(30, 510, 420, 170);
    memo_->setLineWrapMode(QPlainTextEdit::NoWrap);
    // The values line up after the longest caption.
    ResizeKit1().OnExitResize = [this](double, double) {
        memo_->setTabStopDistance(
            QFontMetricsF(memo_->font())
                .horizontalAdvance(QStringLiteral("Horizontal stacking distance:  ")));
    };

    planeLabel_ = AddLabel("Label5", QStringLiteral("Vertical stacking"), {480, 96, 430, 28}, c);
    picture_ = new PictureBox(c);
    picture_->setObjectName(QStringLiteral("Image1"));
    picture_->setGeometry(480, 128, 430, 552);
    picture_->setFrameShape(QFrame::Panel);
    picture_->setAutoFillBackground(true);
    QPalette aqua = picture_->palette();
    aqua.setColor(QPalette::Window, QColor(0, 255, 255));
    picture_->setPalette(aqua);
    picture_->SetPicture(QPixmap::fromImage(BothPlanesPicture()));

    QPushButton* back = AddButton("Button2", QStringLiteral("&Back"), {740, 690, 170, 44}, c);
    QPushButton* simulate =
        AddButton("SimulateArray", QStringLiteral("Simulate the &array"), {480, 690, 240, 44}, c);

    SetEnterButton(calculate);
    On(calculate, &QPushButton::clicked, [this] { FindBeamGain(); });
    On(plane_, &RadioGroup::Clicked, [this] { ClearBoxV(); });
    On(back, &QPushButton::clicked, [this] { accept(); });
    On(simulate, &QPushButton::clicked, [this] { SimulateArray(); });

    // Clearmemo; a plane index in the value group that is not a number is
    // reported and the window opens all the same.
    memo_->clear();
    Guarded(context.dialogs, owner, [this] { GetValues(); });
}

void StackingWindow::ContentsHTML1Click()
{
    BaseWindow::ContentsHTML1Click();
    HelpContext(60);
}

void StackingWindow::ClearBoxV()
{
    memo_->clear();
    const StackingPlaneView view = StackingPlaneViewOf(plane_->ItemIndex(), Context().state);
    planeLabel_->setText(QString::fromStdString(view.planeLabel));
    beamwidthLabel_->setText(QString::fromStdString(view.beamwidthLabel));
    QPixmap picture;
    if (!picture.load(QString::fromStdString(view.pictureFile))) {
        // The window's own picture shows both planes: it fits either caption.
        picture_->SetPicture(QPixmap::fromImage(BothPlanesPicture()));
        throw FileError("Cannot open file \"" + view.pictureFile + "\"");
    }
    picture_->SetPicture(picture);
    SetVersionLine(true);
}

void StackingWindow::FindBeamGain()
{
    std::string memo = ToCrlf(memo_->toPlainText());
    const auto show = [&] { memo_->setPlainText(FromCrlf(memo)); };
    try {
        tavora::FindBeamGain(Context().state, Text(frequency_), Text(beamwidth_),
                             plane_->ItemIndex(), memo, UserDecimalSep());
    } catch (...) {
        show(); // a zero frequency leaves the gain line standing
        throw;
    }
    show();
}

// The design the entry screen holds, stacked, in the simulation window: the
// same design Calculate last gave, and one on a fresh start or after Recover
// data, when no design has been calculated yet.
void StackingWindow::SimulateArray()
{
    SimulationWindow window(this, Context(),
                            SimulationWindow::FromDesignEntry(Context().state, UserDecimalSep()));
    window.ShowPage(QStringLiteral("ArrayPage"));
    ShowModal(window);
}

void StackingWindow::GetValues()
{
    const StackingTexts& values = Context().state.StackingValues;
    frequency_->setText(QString::fromStdString(values[0]));
    beamwidth_->setText(QString::fromStdString(values[1]));
    plane_->SetItemIndex(StrToInt(values[2]));
}

void StackingWindow::SaveValues()
{
    Context().state.StackingValues = {Text(frequency_), Text(beamwidth_),
                                      std::to_string(plane_->ItemIndex())};
}

void StackingWindow::done(int result)
{
    SaveValues();
    BaseWindow::done(result);
}

} // namespace tavora::app
