// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/exchange/mmana_export_window.h"

#include "app/shell/tool_widgets.h"
#include "app/shell/user_locale.h"

#include "state/design_state.h"
#include "state/errors.h"
#include "state/refusals.h"

#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScopeGuard>

namespace tavora::app {

namespace {

QGroupBox* AddPanel(const char* name, const QString& caption, QRect geometry, QWidget* parent)
{
    auto* panel = new QGroupBox(caption, parent);
    panel->setObjectName(QString::fromUtf8(name));
    panel->setGeometry(geometry);
    return panel;
}

QString ListText(const QComboBox* list)
{
    return list->currentText();
}

int ListIndex(const QComboBox* list, const std::vector<std::string_view>& items)
{
    return ItemIndex(items, ListText(list).toStdString());
}

void ShowGuideline(QLabel* label, const GuidelineLabel& figure)
{
    label->setText(QString::fromStdString(figure.text));
    QPalette palette = label->palette();
    palette.setColor(QPalette::Window,
                     figure.red ? QColor(Qt::red) : QPalette().color(QPalette::Button));
    label->setPalette(palette);
}

} // namespace

MmanaExportWindow::MmanaExportWindow(QWidget* owner, AppContext& context, Dipoles dipoles)
    : BaseWindow(owner, context, kDesignSize), dipoles_(dipoles)
{
    setObjectName(QStringLiteral("Yagibaseform6"));
    SetHelpTopic(shell::HelpTopic::Mmana);
    setWindowTitle(QStringLiteral("MMANA-GAL"));
    // The export writes the design it was opened for: a design made from a
    // Task entry here would replace it in the shared state, under this window
    // and under the results window that opened it.
    HideMenu(BaseMenu::Task, true);

    QWidget* c = Client();
    QFont font = c->font();
    font.setPixelSize(13);
    c->setFont(font);
    QLabel* heading =
        AddLabel("Label1",
                 QStringLiteral("Save antenna as .MAA file for use in MMANA-GAL antenna optimiser"),
                 {20, 40, 900, 28}, c);
    QFont bold = font;
    bold.setBold(true);
    heading->setFont(bold);

    QGroupBox* guidelines = AddPanel("Panel1", QStringLiteral("Guidelines"), {20, 75, 400, 565}, c);
    auto* memo = new QPlainTextEdit(guidelines);
    memo->setObjectName(QStringLiteral("Memo1"));
    memo->setGeometry(10, 26, 380, 529);
    QStringList lines;
    for (std::string_view line : kGuidelineLines)
        lines << QString::fromUtf8(line.data(), static_cast<qsizetype>(line.size()));
    memo->setPlainText(lines.join(QLatin1Char('\n')));

    QGroupBox* segmentation =
        AddPanel("Panel2", QStringLiteral("Segmentation"), {435, 75, 520, 330}, c);
    AddList(1, "DM1:   the start interval for tapering ", kDm1Items, 28, {15, 28, 300, 28},
            {330, 28, 100, 28}, segmentation);
    AddList(2, "DM2:   the final interval for tapering", kDm2Items, 7, {15, 64, 300, 28},
            {330, 64, 100, 28}, segmentation);
    AddList(3, "SC:   the easing parameter (multiplier)", kScItems, 4, {15, 100, 300, 28},
            {330, 100, 100, 28}, segmentation);
    AddList(4, "EC:  number of  DM1 segs at taper-end", kEcItems, 0, {15, 136, 300, 28},
            {330, 136, 100, 28}, segmentation);
    AddList(9, "Produce file for MMANA or NEC-2", kEngineItems, 0, {15, 178, 300, 28},
            {330, 178, 175, 28}, segmentation);
    const auto guideline = [segmentation](const char* name, const char* text, int top) {
        QLabel* label = AddLabel(name, QString::fromUtf8(text), {15, top, 490, 26}, segmentation);
        label->setAutoFillBackground(true);
        return label;
    };
    segment_ = guideline("Label15", "Segment =  0.0 WL", 222);
    wireDiam_ = guideline("Label12", "Wire diam = 0.0 WL", 256);
    segDiam_ = guideline("Label16", "Seg:Diam = 0:0", 290);

    QGroupBox* ground = AddPanel("Panel3", QStringLiteral("Ground"), {435, 415, 520, 225}, c);
    AddList(5, "Ground", kGroundItems, 0, {15, 28, 240, 28}, {260, 28, 170, 28}, ground);
    AddList(6, "Height (metres)", kHeightItems, 3, {15, 64, 240, 28}, {260, 64, 80, 28}, ground);
    AddList(7, "Material", kMaterialItems, 4, {15, 100, 240, 28}, {260, 100, 170, 28}, ground);
    const std::vector<std::string_view> singleOnly(kDipoleItems.begin(), kDipoleItems.begin() + 1);
    QComboBox* dipole = AddList(8, "Dipole construction",
                                dipoles == Dipoles::SingleOnly ? singleOnly : kDipoleItems, 0,
                                {15, 136, 240, 28}, {260, 136, 170, 28}, ground);
    dipole->setEditable(dipoles != Dipoles::SingleOnly);
    AddLabel("Label11", QStringLiteral("Filename (.maa will be added)"), {15, 178, 240, 28},
             ground);
    name_ = AddEdit("Edit1", QStringLiteral("Yagi01"), {260, 178, 170, 28}, ground);

    QPushButton* save = AddButton("Button1", QStringLiteral("&Save .MAA"), {605, 652, 160, 40}, c);
    QPushButton* back = AddButton("Button2", QStringLiteral("&Back"), {795, 652, 160, 40}, c);

    const auto tip = [this](int number, const QString& text) { List(number)->setToolTip(text); };
    tip(1, QStringLiteral("Segments per wavelength at the start of the taper: above 0"));
    tip(2, QStringLiteral("Segments per wavelength at the end of the taper: above 0"));
    tip(3, QStringLiteral("Easing multiplier from DM1 to DM2: above 0"));
    tip(4, QStringLiteral("Number of DM1 segments at the taper's end: a whole number, 1 or more"));
    tip(6, QStringLiteral("metres above ground, from %1")
               .arg(QString::fromStdString(RangeText(kHeightRange, UserDecimalSep()))));

    // After the defaults are set, so that only the user's changes refresh. A
    // half-typed DM1 leaves the figures as they were; Save checks the box.
    On(List(1), &QComboBox::currentTextChanged, [this] { RefreshLabels(); });
    On(List(9), &QComboBox::currentTextChanged, [this] { RefreshLabels(); });
    On(save, &QPushButton::clicked, [this] { Button1Click(); });
    On(back, &QPushButton::clicked, [this] { done(QDialog::Accepted); });
}

QComboBox* MmanaExportWindow::AddList(int number, const char* caption,
                                      const std::vector<std::string_view>& items, int defaultIndex,
                                      QRect label, QRect geometry, QWidget* parent)
{
    AddLabel(QStringLiteral("ListLabel%1").arg(number).toUtf8(), QString::fromUtf8(caption), label,
             parent);
    auto* list = new QComboBox(parent);
    list->setObjectName(QStringLiteral("ComboBox%1").arg(number));
    list->setGeometry(geometry);
    // Every list can be typed over; what is typed is not added as an item.
    list->setEditable(true);
    list->setInsertPolicy(QComboBox::NoInsert);
    // Number items are shown with the user's separator, as every box has it.
    for (std::string_view item : items)
        list->addItem(QString::fromUtf8(item.data(), static_cast<qsizetype>(item.size()))
                          .replace(QLatin1Char('.'), QChar::fromLatin1(UserDecimalSep())));
    // The defaults are set once, when the window opens: a message box or the
    // About window coming back must not throw away the user's choices.
    list->setCurrentIndex(defaultIndex);
    lists_[static_cast<size_t>(number - 1)] = list;
    return list;
}

void MmanaExportWindow::FormActivate()
{
    BaseWindow::FormActivate();
    RefreshLabels();
}

void MmanaExportWindow::RefreshLabels()
{
    try {
        FillLabels();
    } catch (const Error&) {
    }
}

void MmanaExportWindow::FillLabels()
{
    const GuidelineLabels labels =
        tavora::FillLabels(Context().state, ListText(List(1)).toStdString(),
                           ListIndex(List(9), kEngineItems), UserDecimalSep());
    ShowGuideline(segment_, labels.segment);
    ShowGuideline(wireDiam_, labels.wireDiam);
    ShowGuideline(segDiam_, labels.segDiam);
}

MaaOptions MmanaExportWindow::Options() const
{
    MaaOptions o;
    o.name = Text(name_);
    o.dm1 = ListText(List(1)).toStdString();
    o.dm2 = ListText(List(2)).toStdString();
    o.sc = ListText(List(3)).toStdString();
    o.ec = ListText(List(4)).toStdString();
    o.ground = ListIndex(List(5), kGroundItems);
    o.height = ListText(List(6)).toStdString();
    o.material = ListIndex(List(7), kMaterialItems);
    o.dipole = dipoles_ == Dipoles::SingleOnly ? 0 : ListIndex(List(8), kDipoleItems);
    return o;
}

void MmanaExportWindow::Button1Click()
{
    Dialogs& dialogs = Context().dialogs;
    // The boxes are checked before anything is asked or written.
    MaaText(Context().state, Options(), UserDecimalSep());
    if (Context().state.Mounting != 'N')
        dialogs.Notice(this, QString::fromUtf8(kNotInsulated));
    const bool existed = QFileInfo(QDir::current().filePath(QStringLiteral("Optimiser"))).isDir();
    bool created = false;
    const QString folder =
        QString::fromStdString(OptimiserDir(QDir::currentPath().toStdString(), created));
    if (!created)
        dialogs.Notice(this, QString::fromUtf8(kNoOptimiserDir));
    // Made for the dialog to open in; left behind only with a file in it.
    const auto tidy = qScopeGuard([&] {
        if (!existed)
            QDir().rmdir(folder);
    });
    const QString path = dialogs.SaveFile(
        this, {QStringLiteral("Create a .MAA file"), QStringLiteral("maa"),
               QStringLiteral("MMANA-GAL files (*.maa);;All files (*.*)"),
               QDir(folder).filePath(ProposedFileName(name_->text(), QStringLiteral("maa")))});
    if (path.isEmpty())
        return;
    WriteMaaFile(Context().state, Options(), path.toStdString(), UserDecimalSep());
}

} // namespace tavora::app
