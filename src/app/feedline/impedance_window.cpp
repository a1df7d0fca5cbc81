// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/feedline/impedance_window.h"

#include "app/shell/radio_group.h"
#include "app/shell/tool_widgets.h"
#include "app/shell/user_locale.h"

#include "state/errors.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace tavora::app {

namespace {

QLabel* AddText(const char* name, const QString& text, QRect geometry, QWidget* parent,
                bool bold = false)
{
    QLabel* label = AddLabel(name, text, geometry, parent);
    label->setWordWrap(true);
    if (bold) {
        QFont font = label->font();
        font.setBold(true);
        label->setFont(font);
    }
    return label;
}

QStringList Items(const auto& texts)
{
    QStringList items;
    for (const char* text : texts)
        items << QString::fromUtf8(text);
    return items;
}

} // namespace

void ImpedanceWindow::Box::SetVisible(bool visible) const
{
    label->setVisible(visible);
    edit->setVisible(visible);
}

ImpedanceWindow::Box ImpedanceWindow::AddBoxRow(const char* labelName, const char* editName, const QString& caption,
                              const std::string& text, int top, int labelWidth, QWidget* parent)
{
    return {AddLabel(labelName, caption, {20, top + 3, labelWidth, 28}, parent),
            AddEdit(editName, UserNumberText(text), {30 + labelWidth, top, 150, 34}, parent)};
}

ImpedanceWindow::ImpedanceWindow(QWidget* owner, AppContext& context) : BaseWindow(owner, context, kDesignSize)
{
    setObjectName(QStringLiteral("Form2"));
    SetHelpTopic(shell::HelpTopic::Impedance);
    setWindowTitle(QStringLiteral("Impedance"));
    HideMenu(BaseMenu::File);
    HideMenu(BaseMenu::Task);

    QWidget* c = Client();
    SetToolFont(c);
    AddTitle(QStringLiteral("Impedance calculations"), {30, 40, 600, 44}, c);

    auto* quarter = new QGroupBox(c);
    quarter->setObjectName(QStringLiteral("Panel1"));
    quarter->setGeometry(20, 96, 560, 700);
    AddText("Label18", QStringLiteral("Quarter wave transformers"), {20, 14, 520, 30}, quarter,
            true);
    AddText("Label2",
            QStringLiteral("A quarter wave transformer may be used to transform one impedance to "
                           "another"),
            {20, 54, 520, 48}, quarter);
    AddText("Label3",
            QStringLiteral("This panel calculates the length and impedance of the quarter wave "
                           "transformer"),
            {20, 108, 520, 48}, quarter);
    const QuarterWaveBoxes qw;
    freq_ =
        AddBoxRow("Label4", "Edit4", QStringLiteral("Frequency (MHz)"), qw.freq, 180, 320, quarter);
    zIn_ = AddBoxRow("Label5", "Edit5", QStringLiteral("Input impedance (ohms)"), qw.zIn, 230, 320,
                     quarter);
    zOut_ = AddBoxRow("Label6", "Edit6", QStringLiteral("Output impedance (ohms)"), qw.zOut, 280,
                      320, quarter);
    velocityFactor_ = AddBoxRow("Label7", "Edit7", QStringLiteral("Velocity factor"),
                                qw.velocityFactor, 330, 320, quarter);
    QPushButton* calculateQuarter =
        AddButton("Button2", QStringLiteral("&Calculate"), {20, 400, 170, 46}, quarter);
    length_ = AddBoxRow("Label8", "Edit8", QStringLiteral("Length of matching section (mm)"), "0",
                        480, 320, quarter);
    zSection_ = AddBoxRow("Label9", "Edit9", QStringLiteral("Impedance of matching section (ohms)"),
                          "0", 530, 320, quarter);
    length_.SetVisible(false);
    zSection_.SetVisible(false);

    auto* rods = new QGroupBox(c);
    rods->setObjectName(QStringLiteral("Panel2"));
    rods->setGeometry(600, 96, 607, 700);
    AddText("Label10", QStringLiteral("Calculate Impedance of Parallel Rods"), {20, 14, 567, 30},
            rods, true);
    AddText("Label11",
            QStringLiteral("Two parallel rods (round or square section) are used to create a "
                           "matching section."),
            {20, 54, 567, 48}, rods);
    AddText("Label12", QStringLiteral("This page determines an unknown from two knowns"),
            {20, 106, 567, 28}, rods);
    unknown_ = new RadioGroup(QStringLiteral("RadioGroup1"), QStringLiteral("Calculate"),
                              Items(kRodUnknownItems), {20, 142, 567, 130}, rods);
    unknown_->SetItemIndex(0);
    section_ =
        new RadioGroup(QStringLiteral("RadioGroup2"), QStringLiteral("Cross section of rods"),
                       Items(kRodSectionItems), {20, 282, 280, 96}, rods);
    section_->SetItemIndex(0);
    AddText("Label13",
            QStringLiteral("Formula best fit for 15-320 ohms square section and 45-175 ohms for "
                           "round section"),
            {20, 386, 567, 48}, rods);
    const RodsBoxes rb;
    crossSection_ = AddBoxRow("Label14", "Edit1", QStringLiteral("Cross section (mm)"),
                              rb.crossSection, 444, 260, rods);
    spacing_ = AddBoxRow("Label15", "Edit2", QString::fromUtf8(SpacingLabel(RodSection::Round)),
                         rb.spacing, 494, 260, rods);
    impedance_ = AddBoxRow("Label16", "Edit3", QStringLiteral("Impedance (ohms)"), rb.impedance,
                           544, 260, rods);
    QPushButton* calculateRods =
        AddButton("Button1", QStringLiteral("C&alculate"), {20, 594, 170, 46}, rods);
    message_ = AddText("Label17", QString(), {20, 646, 567, 48}, rods);
    message_->setStyleSheet(QStringLiteral("color: red"));
    ShowKnowns();

    QPushButton* back = AddButton("Button3", QStringLiteral("&Back"), {1037, 810, 170, 46}, c);

    On(unknown_, &RadioGroup::Clicked, [this] { RadioGroup1Click(); });
    On(section_, &RadioGroup::Clicked, [this] { RadioGroup2Click(); });
    SetEnterButton(calculateQuarter, quarter);
    SetEnterButton(calculateRods, rods);
    On(calculateRods, &QPushButton::clicked, [this] { Button1Click(); });
    On(calculateQuarter, &QPushButton::clicked, [this] { Button2Click(); });
    On(back, &QPushButton::clicked, [this] { accept(); });
}

void ImpedanceWindow::Contents1Click()
{
    // This entry asks twice. The second request once named the working
    // directory, which a file dialog may have moved away from the program's
    // folder, and then reported a manual that is there as missing: both name
    // the program's collection now.
    BaseWindow::Contents1Click();
    BaseWindow::Contents1Click();
}

RodUnknown ImpedanceWindow::Unknown() const
{
    return static_cast<RodUnknown>(unknown_->ItemIndex());
}
RodSection ImpedanceWindow::Section() const
{
    return static_cast<RodSection>(section_->ItemIndex());
}

const ImpedanceWindow::Box& ImpedanceWindow::BoxOf(RodUnknown unknown) const
{
    switch (unknown) {
    case RodUnknown::CrossSection:
        return crossSection_;
    case RodUnknown::Spacing:
        return spacing_;
    case RodUnknown::Impedance:
        break;
    }
    return impedance_;
}

void ImpedanceWindow::ShowKnowns()
{
    const RodBoxes shown = VisibleRodBoxes(Unknown());
    crossSection_.SetVisible(shown.crossSection);
    spacing_.SetVisible(shown.spacing);
    impedance_.SetVisible(shown.impedance);
}

void ImpedanceWindow::RadioGroup1Click()
{
    message_->clear();
    ShowKnowns();
}

void ImpedanceWindow::RadioGroup2Click()
{
    ShowKnowns();
    message_->clear();
    spacing_.label->setText(QString::fromUtf8(SpacingLabel(Section())));
}

void ImpedanceWindow::Button1Click()
{
    message_->clear();
    const Box& unknown = BoxOf(Unknown());
    unknown.SetVisible(true);
    const RodsResult result =
        CalculateRods(Unknown(), Section(), Text(crossSection_.edit), Text(spacing_.edit),
                      Text(impedance_.edit), UserDecimalSep());
    unknown.edit->setText(QString::fromStdString(result.unknownText));
    message_->setText(QString::fromStdString(result.message));
}

void ImpedanceWindow::Button2Click()
{
    QuarterWaveResult result;
    const auto show = [&] {
        length_.SetVisible(true);
        if (result.length.empty())
            return;
        length_.edit->setText(QString::fromStdString(result.length));
        zSection_.SetVisible(true);
        if (!result.impedance.empty())
            zSection_.edit->setText(QString::fromStdString(result.impedance));
    };
    try {
        CalculateQuarterWave(Text(freq_.edit), Text(zIn_.edit), Text(zOut_.edit),
                             Text(velocityFactor_.edit), result, UserDecimalSep());
    } catch (const ConversionError&) {
        throw; // nothing is shown for a box that is not a number
    } catch (...) {
        show();
        throw;
    }
    show();
}

} // namespace tavora::app
