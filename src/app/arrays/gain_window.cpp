// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/arrays/gain_window.h"

#include "app/shell/tool_widgets.h"
#include "app/shell/user_locale.h"

#include "state/design_state.h"
#include "state/refusals.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>

namespace tavora::app {

GainWindow::GainWindow(QWidget* owner, AppContext& context)
    : BaseWindow(owner, context, kDesignSize)
{
    setObjectName(QStringLiteral("Yagibaseform3"));
    SetHelpTopic(shell::HelpTopic::Gain);
    setWindowTitle(QStringLiteral("Gain Calculations"));
    HideMenu(BaseMenu::File);
    HideMenu(BaseMenu::Task);

    QWidget* c = Client();
    SetToolFont(c);
    AddTitle(QStringLiteral("Gain calculations for long yagi"), {40, 44, 700, 44}, c);

    auto* entry = new QGroupBox(c);
    entry->setObjectName(QStringLiteral("Panel1"));
    entry->setGeometry(40, 110, 420, 210);
    AddLabel("Label2", QStringLiteral("Enter frequency in MHz"), {20, 16, 380, 28}, entry);
    frequency_ = AddEdit("Edit1", UserNumberText("144.1"), {20, 48, 200, 34}, entry);
    AddLabel("Label3", QStringLiteral("Boom length mm"), {20, 110, 380, 28}, entry);
    boomLength_ = AddEdit("Edit2", QStringLiteral("4000"), {20, 142, 200, 34}, entry);
    frequency_->setToolTip(
        QStringLiteral("MHz, from %1")
            .arg(QString::fromStdString(RangeText(kFrequencyRange, UserDecimalSep()))));
    boomLength_->setToolTip(
        QStringLiteral("mm, a whole number, from %1")
            .arg(QString::fromStdString(RangeText(kGainBoomRange, UserDecimalSep()))));

    auto* methods = new QGroupBox(c);
    methods->setObjectName(QStringLiteral("Panel2"));
    methods->setGeometry(40, 345, 960, 290);
    AddLabel("Label4", QStringLiteral("Calculate using"), {20, 14, 200, 28}, methods);
    QPushButton* vk3auu =
        AddButton("Button1", QStringLiteral("&VK3AUU"), {20, 56, 170, 46}, methods);
    QPushButton* wa2phw =
        AddButton("Button2", QStringLiteral("&WA2PHW"), {20, 126, 170, 46}, methods);
    QPushButton* dj9bv =
        AddButton("Button3", QStringLiteral("&DJ9BV"), {20, 196, 170, 46}, methods);
    memo_ = new QPlainTextEdit(methods);
    memo_->setObjectName(QStringLiteral("Memo1"));
    memo_->setGeometry(220, 20, 720, 250);
    memo_->setReadOnly(true);

    QPushButton* back = AddButton("Button4", QStringLiteral("&Back"), {830, 665, 170, 46}, c);

    // Enter repeats the method the user chose last; the first one until then.
    SetEnterButton(vk3auu);
    const auto method = [this](QPushButton* button, void (GainWindow::*find)()) {
        On(button, &QPushButton::clicked, [this, button, find] {
            SetEnterButton(button);
            (this->*find)();
        });
    };
    method(vk3auu, &GainWindow::Findgain);
    method(wa2phw, &GainWindow::FindWA2PHW);
    method(dj9bv, &GainWindow::FindDJ9BV);
    On(back, &QPushButton::clicked, [this] { accept(); });
    // Every activation refills the boxes from the value group; keeping the
    // group up to date as the user types means a message box or the About
    // window cannot throw away what was typed.
    for (QLineEdit* box : {frequency_, boomLength_})
        connect(box, &QLineEdit::textEdited, this, [this] { SaveValues(); });

    // FixMemo
    memo_->clear();
    SetVersionLine(false);
}

void GainWindow::FormActivate()
{
    GetValues();
}

void GainWindow::ContentsHTML1Click()
{
    BaseWindow::ContentsHTML1Click();
    HelpContext(120);
}

void GainWindow::Calculate(GainMethod method)
{
    memo_->clear();
    const std::string lines =
        FindGain(Context().state, Text(frequency_), Text(boomLength_), method, UserDecimalSep());
    memo_->setPlainText(FromCrlf(lines));
}

void GainWindow::GetValues()
{
    const GainTexts& values = Context().state.GainValues;
    frequency_->setText(QString::fromStdString(values[0]));
    boomLength_->setText(QString::fromStdString(values[1]));
}

void GainWindow::SaveValues()
{
    Context().state.GainValues = {Text(frequency_), Text(boomLength_)};
}

void GainWindow::done(int result)
{
    SaveValues();
    BaseWindow::done(result);
}

} // namespace tavora::app
