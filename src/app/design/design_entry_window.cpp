// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/design/design_entry_window.h"

#include "app/shell/radio_group.h"
#include "app/design/results_window.h"
#include "app/shell/tool_widgets.h"
#include "app/shell/user_locale.h"
#include "app/simulation/live_figures.h"

#include "simulation/live.h"
#include "state/design_state.h"
#include "state/errors.h"
#include "state/refusals.h"

#include <QFocusEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

namespace tavora::app {

namespace {

QString Range(tavora::Range range)
{
    return QString::fromStdString(RangeText(range, UserDecimalSep()));
}

const QStringList kShapes{QStringLiteral("Round"), QStringLiteral("Square"),
                          QStringLiteral("Flat ribbon")};

QGroupBox* AddPanel(const char* name, const QString& caption, QRect geometry, QWidget* parent)
{
    auto* panel = new QGroupBox(caption, parent);
    panel->setObjectName(QString::fromUtf8(name));
    panel->setGeometry(geometry);
    QFont bold = panel->font();
    bold.setBold(true);
    panel->setFont(bold);
    return panel;
}

} // namespace

DesignEntryWindow::DesignEntryWindow(QWidget* owner, AppContext& context)
    : BaseWindow(owner, context, kDesignSize)
{
    setObjectName(QStringLiteral("Yagibaseform7"));
    SetHelpTopic(shell::HelpTopic::DesignEntry);
    setWindowTitle(QStringLiteral("Design Yagi"));
    Heading()->setText(QStringLiteral("Tavora "));
    HideMenu(BaseMenu::File, true);
    HideMenu(BaseMenu::Task, true);

    QWidget* c = Client();
    SetToolFont(c);
    const QFont font = c->font();
    AddTitle(QStringLiteral("Entry screen for yagi details"), {30, 40, 600, 36}, c);
    auto* reminder = AddLabel("Label3", QStringLiteral("ALWAYS enter frequency before other data"),
                              {30, 80, 600, 26}, c);
    QFont bold = font;
    bold.setBold(true);
    reminder->setFont(bold);
    reminder->setStyleSheet(QStringLiteral("color: red"));

    frequency_ = AddBox("Edit1", QStringLiteral("Frequency in MHz"), {30, 125, 250, 30},
                        {290, 125, 110, 30}, c);
    frequency_->setToolTip(QStringLiteral("ALWAYS enter frequency first and exit box\nMHz, from %1")
                               .arg(Range(kFrequencyRange)));
    frequency_->installEventFilter(this);
    directors_ = AddBox("Edit2", QStringLiteral("Number of directors"), {30, 170, 250, 30},
                        {290, 170, 110, 30}, c);
    directors_->setToolTip(QStringLiteral("Recommend min 8 directors"));
    boom_ = AddBox("Edit5", QStringLiteral("Cross-section of boom mm"), {30, 215, 250, 30},
                   {290, 215, 110, 30}, c);
    boomType_ = new RadioGroup(QStringLiteral("RadioGroup1"), QStringLiteral("Boom type"),
                               {QStringLiteral("Square section"), QStringLiteral("Round")},
                               {30, 258, 370, 90}, c);
    boomType_->setToolTip(QStringLiteral("Cross section of boom type"));
    bend_ = AddBox("Edit7", QStringLiteral("Diameter of dipole bend mm"), {30, 365, 250, 30},
                   {290, 365, 110, 30}, c);
    gap_ = AddBox("Edit8", QStringLiteral("Dipole gap at feed point mm"), {30, 410, 250, 30},
                  {290, 410, 110, 30}, c);

    coaxList_ = new QListWidget(c);
    coaxList_->setObjectName(QStringLiteral("ListBox1"));
    coaxList_->setGeometry(30, 455, 370, 300);
    for (const CoaxItem& item : CoaxList())
        coaxList_->addItem(QString::fromUtf8(item.text));
    coaxStatus_ = AddLabel("CoaxStatus", QString::fromUtf8(kNoCoaxStatus), {30, 762, 400, 30}, c);

    QGroupBox* directorPanel = AddPanel("Panel1", QStringLiteral("Construction of directors/reflector"),
                                        {430, 120, 380, 520}, c);
    elementShape_ = new RadioGroup(QStringLiteral("RadioGroup4"), QStringLiteral("Metal shape"),
                                   kShapes, {15, 35, 350, 120}, directorPanel);
    elementMounting_ = new RadioGroup(
        QStringLiteral("RadioGroup2"), QStringLiteral("Directors/Reflector mounting"),
        {QStringLiteral("bonded through metal boom"), QStringLiteral("insulated through metal boom"),
         QStringLiteral("non metal boom (or standoffs)")},
        {15, 170, 350, 130}, directorPanel);
    element_ = AddSizeBoxes("Element", 320, directorPanel);

    QGroupBox* dipolePanel = AddPanel("Panel2", QStringLiteral("Construction of Dipole"),
                                      {840, 120, 380, 520}, c);
    radiatorShape_ = new RadioGroup(QStringLiteral("RadioGroup3"), QStringLiteral("Metal shape"),
                                    kShapes, {15, 35, 350, 120}, dipolePanel);
    dipoleMounting_ = new RadioGroup(QStringLiteral("RadioGroup5"),
                                     QStringLiteral("Folded Dipole mounting"),
                                     {QStringLiteral("Same as Dir/Reflector"),
                                      QStringLiteral("Fully insulated")},
                                     {15, 170, 350, 100}, dipolePanel);
    radiator_ = AddSizeBoxes("Radiator", 290, dipolePanel);
    // The boxes whose unit or limits are not plain from their captions.
    boom_->setToolTip(QStringLiteral("mm across (the side of a square boom), narrower than the "
                                     "shortest element; through a metal boom at most %1")
                          .arg(Range(kThroughBoomRatioRange).remove(QStringLiteral("0 to "))));
    bend_->setToolTip(QStringLiteral("mm, inside diameter of the folded dipole's bends: above 0, "
                                     "leaving a straight between bend and feed gap"));
    gap_->setToolTip(
        QStringLiteral("mm between the folded dipole's ends at the feed point: above 0"));
    for (const SizeBoxes* sizes : {&element_, &radiator_})
        for (QLineEdit* box : {sizes->diam, sizes->width, sizes->thick})
            box->setToolTip(QStringLiteral("mm, above 0; the equivalent round diameter from %1")
                                .arg(Range(kElementRatioRange)));
    for (QGroupBox* panel : {directorPanel, dipolePanel})
        for (QWidget* child : panel->findChildren<QWidget*>())
            child->setFont(font);

    calculate_ = AddButton("Button1", QStringLiteral("&Calculate"), {840, 670, 180, 50}, c);
    back_ = AddButton("Button2", QStringLiteral("&Back"), {1040, 670, 180, 50}, c);

    On(new ListChoice(coaxList_), &ListChoice::Chosen, [this] { NoteCoax(); });
    On(elementShape_, &RadioGroup::Clicked, [this] { RadioGroup4Click(); });
    On(radiatorShape_, &RadioGroup::Clicked, [this] { RadioGroup3Click(); });
    // What the boxes give, simulated as they are typed.
    live_ = new LiveFigures(c, {430, 655, 395, 265}, [this](Feed feed) {
        return LiveModel(Entry(), Context().state, feed, UserDecimalSep());
    });
    live_->Follow(c);

    SetEnterButton(calculate_);
    On(calculate_, &QPushButton::clicked, [this] { YagiDoCalculate(); });
    On(back_, &QPushButton::clicked, [this] { accept(); });

    GetValues(); // Fixscreen
    live_->InputsChanged();
}

DesignEntryWindow::~DesignEntryWindow() = default;

QLineEdit* DesignEntryWindow::AddBox(const char* name, const QString& caption, QRect label, QRect box,
                                  QWidget* parent)
{
    AddLabel((QString::fromUtf8(name) + "Label").toUtf8(), caption, label, parent);
    return AddEdit(name, QString(), box, parent);
}

DesignEntryWindow::SizeBoxes DesignEntryWindow::AddSizeBoxes(const char* prefix, int top, QWidget* panel)
{
    const QString p = QString::fromUtf8(prefix);
    SizeBoxes b;
    b.diam = AddBox((p + "Diam").toUtf8(), QStringLiteral("Diameter of element (mm)"),
                    {15, top, 220, 30}, {245, top, 100, 30}, panel);
    b.width = AddBox((p + "Width").toUtf8(), QStringLiteral("Width of element (mm)"),
                     {15, top + 45, 220, 30}, {245, top + 45, 100, 30}, panel);
    b.thick = AddBox((p + "Thick").toUtf8(), QStringLiteral("Thickness of element (mm)"),
                     {15, top + 90, 220, 30}, {245, top + 90, 100, 30}, panel);
    b.diamLabel = panel->findChild<QLabel*>(p + "DiamLabel");
    b.widthLabel = panel->findChild<QLabel*>(p + "WidthLabel");
    b.thickLabel = panel->findChild<QLabel*>(p + "ThickLabel");
    return b;
}

void DesignEntryWindow::ShowSizeBoxes(const SizeBoxes& b, int shape)
{
    const auto s = static_cast<Shape>(shape);
    b.diamLabel->setVisible(s == Shape::Round);
    b.diam->setVisible(s == Shape::Round);
    b.widthLabel->setVisible(s != Shape::Round);
    b.width->setVisible(s != Shape::Round);
    b.thickLabel->setVisible(s == Shape::Flat);
    b.thick->setVisible(s == Shape::Flat);
}

void DesignEntryWindow::RadioGroup3Click() { ShowSizeBoxes(radiator_, radiatorShape_->ItemIndex()); }
void DesignEntryWindow::RadioGroup4Click() { ShowSizeBoxes(element_, elementShape_->ItemIndex()); }

DesignEntry DesignEntryWindow::Entry() const
{
    DesignEntry e;
    e.Frequency = Text(frequency_);
    e.Directors = Text(directors_);
    e.ElementDiam = Text(element_.diam);
    e.RadiatorWidth = Text(radiator_.width);
    e.BoomSection = Text(boom_);
    e.RadiatorDiam = Text(radiator_.diam);
    e.BendDiam = Text(bend_);
    e.FeedGap = Text(gap_);
    e.RadiatorThick = Text(radiator_.thick);
    e.ElementWidth = Text(element_.width);
    e.ElementThick = Text(element_.thick);
    e.Boom = static_cast<BoomType>(boomType_->ItemIndex());
    e.ElementMounting = static_cast<Mounting>(elementMounting_->ItemIndex());
    e.RadiatorShape = static_cast<Shape>(radiatorShape_->ItemIndex());
    e.ElementShape = static_cast<Shape>(elementShape_->ItemIndex());
    e.DipoleMounting = static_cast<DipoleMount>(dipoleMounting_->ItemIndex());
    return e;
}

void DesignEntryWindow::SetEntry(const DesignEntry& e)
{
    const auto set = [](QLineEdit* box, const std::string& text) {
        box->setText(QString::fromStdString(text));
    };
    set(frequency_, e.Frequency);
    set(directors_, e.Directors);
    set(element_.diam, e.ElementDiam);
    set(radiator_.width, e.RadiatorWidth);
    set(boom_, e.BoomSection);
    set(radiator_.diam, e.RadiatorDiam);
    set(bend_, e.BendDiam);
    set(gap_, e.FeedGap);
    set(radiator_.thick, e.RadiatorThick);
    set(element_.width, e.ElementWidth);
    set(element_.thick, e.ElementThick);
    boomType_->SetItemIndex(static_cast<int>(e.Boom));
    elementMounting_->SetItemIndex(static_cast<int>(e.ElementMounting));
    radiatorShape_->SetItemIndex(static_cast<int>(e.RadiatorShape));
    elementShape_->SetItemIndex(static_cast<int>(e.ElementShape));
    dipoleMounting_->SetItemIndex(static_cast<int>(e.DipoleMounting));
    RadioGroup3Click();
    RadioGroup4Click();
}

void DesignEntryWindow::GetValues()
{
    SetEntry(tavora::GetValues(Context().state.DesignEntry));
    bandFrequency_ = Text(frequency_);
}

void DesignEntryWindow::SaveValues() { Context().state.DesignEntry = tavora::SaveValues(Entry()); }

bool DesignEntryWindow::eventFilter(QObject* watched, QEvent* event)
{
    // Leaving the frequency box fills the size boxes for its band. Focus that
    // goes to another window (a message box, say) stays in the box.
    if (watched == frequency_ && event->type() == QEvent::FocusOut && isVisible()) {
        const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
        if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason)
            Guarded(Context().dialogs, this, [this] { Edit1Exit(); });
    }
    return BaseWindow::eventFilter(watched, event);
}

void DesignEntryWindow::Edit1Exit()
{
    const std::string typed = Text(frequency_);
    // Leaving the box again without a change neither rewrites nor repeats a refusal.
    if (typed == bandFrequency_ || typed == refusedFrequency_)
        return;
    DesignEntry e = Entry();
    try {
        ApplyBandChange(e, bandFrequency_, UserDecimalSep());
    } catch (const Error&) {
        refusedFrequency_ = typed;
        throw;
    }
    refusedFrequency_.reset();
    bandFrequency_ = typed;
    SetEntry(e);
}

void DesignEntryWindow::NoteCoax()
{
    const int index = coaxList_->currentRow();
    if (index < 0)
        return;
    SaveValues();
    std::string answer = "0";
    if (index == kUserCoaxIndex) {
        const auto typed = Context().dialogs.Prompt(this, QStringLiteral("Coax balun construction"),
                                                    QStringLiteral("Enter velocity factor of coax 0<X<1"),
                                                    QStringLiteral("0"));
        answer = typed.value_or(QStringLiteral("0")).toStdString();
    }
    coaxStatus_->setText(
        QString::fromStdString(tavora::NoteCoax(Context().state, index, answer, UserDecimalSep())));
}

void DesignEntryWindow::YagiDoCalculate()
{
    // Enter calculates without leaving the frequency box: its band first. A
    // refused frequency is refused below, once, naming its box.
    refusedFrequency_.reset();
    try {
        Edit1Exit();
    } catch (const Error&) {
    }
    tavora::YagiDoCalculate(Entry(), Context().state, UserDecimalSep());
    ResultsWindow results(this, Context());
    ShowModal(results);
}

void DesignEntryWindow::ContentsHTML1Click()
{
    BaseWindow::ContentsHTML1Click();
    HelpContext(30);
}

void DesignEntryWindow::done(int result)
{
    SaveValues(); // SaveThings
    BaseWindow::done(result);
}

} // namespace tavora::app
