// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/exchange/yo_details_window.h"

#include "app/exchange/conversion_dialog.h"
#include "app/exchange/mmana_export_window.h"
#include "app/exchange/yag_description.h"
#include "app/shell/radio_group.h"
#include "app/shell/tool_widgets.h"
#include "app/shell/user_locale.h"
#include "app/simulation/live_figures.h"
#include "app/simulation/simulation_window.h"

#include "exchange/yo_details.h"
#include "exchange/yo_file.h"
#include "simulation/live.h"
#include "state/design_state.h"
#include "state/program_dir.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>

#include <filesystem>

namespace tavora::app {

namespace {

constexpr int kBoxWidth = 80;
constexpr int kBoxHeight = 30;

QLabel* AddHeading(const char* name, const QString& text, QRect geometry, QWidget* parent)
{
    QLabel* heading = AddLabel(name, text, geometry, parent);
    QFont bold = heading->font();
    bold.setBold(true);
    heading->setFont(bold);
    return heading;
}

// A search at a high frequency or with odd sizes may take a while: say so.
class BusyCursor {
  public:
    BusyCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~BusyCursor() { QApplication::restoreOverrideCursor(); }
    BusyCursor(const BusyCursor&) = delete;
    BusyCursor& operator=(const BusyCursor&) = delete;
};

void Select(RadioGroup* group, int index)
{
    if (index < 0)
        group->SelectNone();
    else
        group->SetItemIndex(index);
}

const QString kYagFilter = QStringLiteral("*.yag);;All files (*.*)");

FileDialogOptions YagDialog(const QString& title, const QString& filterName)
{
    return {title, QStringLiteral("yag"), filterName + QStringLiteral(" (") + kYagFilter,
            QDir::current().filePath(QStringLiteral("Untitled.yag"))};
}

} // namespace

YoDetailsWindow::YoDetailsWindow(QWidget* owner, AppContext& context)
    : BaseWindow(owner, context, kDesignSize)
{
    setObjectName(QStringLiteral("Yagibaseform5"));
    SetHelpTopic(shell::HelpTopic::YoDetails);
    setWindowTitle(QStringLiteral("Make YO file "));
    HideMenu(BaseMenu::Task);
    findChild<QAction*>(QStringLiteral("Save1"))->setVisible(false);
    findChild<QAction*>(QStringLiteral("SaveAs1"))->setVisible(false);
    QAction* load = Menu(BaseMenu::File)->addAction(QStringLiteral("&Load Yag file"));
    load->setObjectName(QStringLiteral("LoadYag1"));
    On(load, &QAction::triggered, [this] { LoadYag(); });

    QWidget* c = Client();
    SetToolFont(c);
    AddHeading("Label2", QStringLiteral("All length measurements in mm"), {30, 42, 500, 30}, c);
    BuildBoxes(c);

    mounting_ = new RadioGroup(
        QStringLiteral("RadioGroup1"), QStringLiteral(" Elements "),
        {QStringLiteral("Through"), QStringLiteral("Insulated"), QStringLiteral("Non metal")},
        {30, 560, 220, 140}, c);
    mounting_->setToolTip(QStringLiteral("Reflector/Director to boom interface"));
    AddLabel("Label37", QStringLiteral("Frequency"), {280, 575, 110, 28}, c);
    source_ = new RadioGroup(
        QStringLiteral("RadioGroup2"), QStringLiteral(" Calculate frequency from "),
        {QStringLiteral(" Length of reflector"), QStringLiteral(" Single rod dipole"),
         QStringLiteral(" DL6WU folded dipole"), QStringLiteral(" Use frequency estimate")},
        {420, 560, 290, 180}, c);
    AddLabel("Label3", QStringLiteral("MMANA-GAL and YO require Non metal boom"),
             {30, 755, 600, 28}, c);

    auto* files = new QGroupBox(c);
    files->setObjectName(QStringLiteral("Panel1"));
    files->setGeometry(750, 560, 200, 160);
    QPushButton* mmana =
        AddButton("PButton4", QStringLiteral("Make &Mmana"), {20, 20, 160, 50}, files);
    QPushButton* yo = AddButton("PButton3", QStringLiteral("Make &YO"), {20, 90, 160, 50}, files);
    auto* actions = new QGroupBox(c);
    actions->setObjectName(QStringLiteral("Panel2"));
    actions->setGeometry(980, 560, 200, 160);
    QPushButton* convert =
        AddButton("PButton1", QStringLiteral("&Convert"), {20, 20, 160, 50}, actions);
    QPushButton* back = AddButton("PButton2", QStringLiteral("&Back"), {20, 90, 160, 50}, actions);
    QPushButton* simulate =
        AddButton("Simulate", QStringLiteral("&Simulate"), {770, 740, 160, 50}, c);

    // The Yagi in the boxes, simulated as it is typed.
    auto* live = new LiveFigures(c, {30, 792, 1180, 115}, [this](Feed feed) {
        return LiveModel(BoxTexts(), feed, UserDecimalSep());
    });
    live->Follow(c);

    On(mounting_, &RadioGroup::Clicked, [this] { GroupClicked(); });
    On(source_, &RadioGroup::Clicked, [this] { GroupClicked(); });
    On(mmana, &QPushButton::clicked, [this] { PButton4Click(); });
    On(yo, &QPushButton::clicked, [this] { GenerateYO(); });
    On(convert, &QPushButton::clicked, [this] { ConvertScreen(); });
    On(simulate, &QPushButton::clicked, [this] { Simulate(); });
    On(back, &QPushButton::clicked, [this] { accept(); });
    SetTabOrder();

    // InitialiseYOvar: a new screen starts with these selections; the refresh
    // runs the estimate when the stored ones differ. A failure there is
    // reported and the screen opens all the same.
    Box(yo::kFrequency)->setReadOnly(true);
    source_->SetItemIndex(static_cast<int>(FrequencySource::Estimate));
    mounting_->SetItemIndex(static_cast<int>(Mounting::NonMetal));
    shownSource_ = source_->ItemIndex();
    shownMounting_ = mounting_->ItemIndex();
    Guarded(context.dialogs, this, [this] { SetBoxesFromValues(); });
    live->InputsChanged();
}

void YoDetailsWindow::BuildBoxes(QWidget* c)
{
    const auto box = [this, c](int entry, const QString& caption, QRect label, QPoint at) {
        if (!caption.isEmpty())
            AddLabel(QStringLiteral("Label%1").arg(entry).toUtf8(), caption, label, c);
        boxes_[static_cast<size_t>(entry - 1)] =
            AddEdit(QStringLiteral("Edit%1").arg(entry).toUtf8(), QStringLiteral("0"),
                    {at, QSize(kBoxWidth, kBoxHeight)}, c);
    };

    AddHeading("Label4", QStringLiteral("Reflector/Dipole/Boom"), {30, 90, 330, 28}, c);
    const std::pair<int, const char*> left[] = {{yo::kBoomDiam, "Boom diam"},
                                                {yo::kReflLength, "Reflector length"},
                                                {yo::kDipoleDist, "Dipole dist from ref"},
                                                {yo::kDipoleLength, "Dipole length"},
                                                {yo::kDipoleDiam, "Dipole diameter"},
                                                {yo::kElementDiam, "Director/Reflector diameter"}};
    int top = 135;
    for (const auto& [entry, caption] : left) {
        box(entry, QString::fromUtf8(caption), {30, top, 230, kBoxHeight}, {270, top});
        top += 48;
    }
    box(yo::kFrequency, QString(), {}, {280, 607});
    Box(yo::kFrequency)->resize(kBoxWidth + 10, kBoxHeight); // a little wider, as designed

    // Directors 1 to 8 in the middle, 9 to 16 on the right.
    for (int half = 0; half < 2; ++half) {
        const int x = 400 + half * 400;
        AddHeading(half == 0 ? "Label5" : "Label6", QStringLiteral("Directors"), {x, 90, 330, 28},
                   c);
        AddLabel(half == 0 ? "Label7" : "Label8", QStringLiteral("Length"), {x + 80, 122, 90, 26},
                 c);
        AddLabel(half == 0 ? "Label9" : "Label10",
                 half == 0 ? QStringLiteral("Dist from Reflector")
                           : QStringLiteral("Dist from reflector"),
                 {x + 180, 122, 180, 26}, c);
        for (int row = 0; row < 8; ++row) {
            const int k = half * 8 + row + 1;
            const int y = 155 + row * 46;
            AddLabel(QStringLiteral("DirLabel%1").arg(k).toUtf8(), QStringLiteral("Dir %1").arg(k),
                     {x, y, 70, kBoxHeight}, c);
            box(yo::DirLengthEntry(k), QString(), {}, {x + 80, y});
            box(yo::DirDistEntry(k), QString(), {}, {x + 180, y});
        }
    }
}

void YoDetailsWindow::SetTabOrder()
{
    std::vector<QWidget*> order;
    const auto group = [&order](RadioGroup* g) {
        for (int i = 0; i < g->Count(); ++i)
            order.push_back(g->Item(i));
    };
    group(mounting_);
    for (int entry : {yo::kBoomDiam, yo::kReflLength, yo::kDipoleDist, yo::kDipoleLength,
                      yo::kDipoleDiam, yo::kElementDiam})
        order.push_back(Box(entry));
    group(source_);
    order.push_back(Box(yo::kFrequency));
    for (int k = 1; k <= yo::kRows; ++k) {
        order.push_back(Box(yo::DirLengthEntry(k)));
        order.push_back(Box(yo::DirDistEntry(k)));
    }
    for (const char* name : {"PButton4", "PButton3", "PButton1", "PButton2"})
        order.push_back(findChild<QPushButton*>(QString::fromUtf8(name)));
    for (size_t i = 1; i < order.size(); ++i)
        setTabOrder(order[i - 1], order[i]);
}

void YoDetailsWindow::FormActivate()
{
    BaseWindow::FormActivate();
    QFont font = VersionLine()->font();
    font.setPointSize(10);
    VersionLine()->setFont(font);
}

void YoDetailsWindow::ContentsHTML1Click()
{
    BaseWindow::ContentsHTML1Click();
    HelpContext(90);
}

YoEntryTexts YoDetailsWindow::BoxTexts() const
{
    YoEntryTexts entries;
    for (int n = 1; n <= 39; ++n)
        entries[static_cast<size_t>(n - 1)] = Text(Box(n));
    entries[yo::kFreqSource - 1] = std::to_string(source_->ItemIndex());
    entries[yo::kMounting - 1] = std::to_string(mounting_->ItemIndex());
    return entries;
}

void YoDetailsWindow::ExitYOvar()
{
    Context().state.YoEntry = BoxTexts();
}

void YoDetailsWindow::SetBoxesFromValues()
{
    const YoEntryTexts& entries = Context().state.YoEntry;
    for (int n = 1; n <= 39; ++n)
        Box(n)->setText(QString::fromStdString(entries[static_cast<size_t>(n - 1)]));
    const int source = ChoiceIndex(entries[yo::kFreqSource - 1], source_->Count());
    const int mounting = ChoiceIndex(entries[yo::kMounting - 1], mounting_->Count());
    const bool changed = source != source_->ItemIndex() || mounting != mounting_->ItemIndex();
    Select(source_, source);
    Select(mounting_, mounting);
    shownSource_ = source;
    shownMounting_ = mounting;
    if (changed)
        CalcFfromRef();
}

void YoDetailsWindow::GroupClicked()
{
    if (source_->ItemIndex() == shownSource_ && mounting_->ItemIndex() == shownMounting_)
        return;
    CalcFfromRef();
}

void YoDetailsWindow::ShowBoxMessage(const BoxMessage& message)
{
    Context().dialogs.Notice(this, QString::fromUtf8(message.text));
    Box(message.box)->setFocus();
}

void YoDetailsWindow::CalcFfromRef()
{
    ExitYOvar();
    YoDetails screen{Context().state.YoEntry, Box(yo::kFrequency)->isReadOnly()};
    std::optional<BoxMessage> failure;
    {
        BusyCursor busy;
        failure = tavora::CalcFfromRef(screen, UserDecimalSep());
    }
    Box(yo::kFrequency)->setReadOnly(screen.frequencyReadOnly);
    if (failure) {
        ShowBoxMessage(*failure);
    } else {
        Context().state.YoEntry = screen.entries;
        if (screen.Source() == FrequencySource::Estimate)
            Box(yo::kFrequency)->setFocus();
    }
    SetBoxesFromValues();
}

void YoDetailsWindow::GenerateYO()
{
    Dialogs& dialogs = Context().dialogs;
    ExitYOvar();
    RefuseYoEntries(Context().state.YoEntry, UserDecimalSep()); // before anything is asked
    if (!AskYagiDescription(this, Context()))
        return;
    const QString path = dialogs.SaveFile(this, YagDialog(QString(), QStringLiteral("YO files")));
    if (path.isEmpty())
        return;
    GenerateYOfile(Context().state, path.toStdString(), UserDecimalSep());
    dialogs.Beep();
    dialogs.Notice(this, QString::fromUtf8(kYoFileSaved));
}

void YoDetailsWindow::PButton4Click()
{
    if (const auto message = MakeMmana(BoxTexts(), Context().state, UserDecimalSep())) {
        Context().dialogs.Notice(this, QString::fromStdString(*message));
        return;
    }
    MmanaExportWindow mmana(this, Context(), MmanaExportWindow::Dipoles::SingleOnly);
    ShowModal(mmana);
}

void YoDetailsWindow::Simulate()
{
    // The boxes as typed, checked as Make Mmana checks them before the window
    // opens, so a bad box is named over this screen.
    const ModelSource source = SimulationWindow::FromYoEntries(BoxTexts(), UserDecimalSep());
    source(Feed::SingleDipole);
    SimulationWindow window(this, Context(), source);
    ShowModal(window);
}

void YoDetailsWindow::ConvertScreen()
{
    ExitYOvar();
    if (const auto failure = ConvertChecks(Context().state.YoEntry, UserDecimalSep())) {
        ShowBoxMessage(*failure);
        return;
    }
    ConversionDialog dialog(this, Context());
    ShowModal(dialog);
    SetBoxesFromValues();
}

void YoDetailsWindow::LoadYag()
{
    ExitYOvar();
    FileDialogOptions options =
        YagDialog(QStringLiteral("Get YO file"), QStringLiteral("Yagi Optimiser"));
    // With no design of the user's at hand, the shipped examples.
    const QString examples = QString::fromStdString(ProgramFile(Context().state, kExamplesFolder));
    if (QDir::current().entryList({QStringLiteral("*.yag")}, QDir::Files).isEmpty() &&
        QFileInfo(examples).isDir())
        options.initialName = examples + QLatin1Char('/');
    const QString path = Context().dialogs.OpenFile(this, options);
    if (!path.isEmpty())
        ReadYag(QFile::encodeName(path).toStdString());
    SetBoxesFromValues();
}

void YoDetailsWindow::LoadYagFile(const std::string& path)
{
    ExitYOvar();
    ReadYag(path);
    SetBoxesFromValues();
}

void YoDetailsWindow::ReadYag(const std::string& path)
{
    Dialogs& dialogs = Context().dialogs;
    // Read into a copy: a file that fails half way changes nothing.
    YoEntryTexts loaded = Context().state.YoEntry;
    const std::optional<int> directors = ReadYagFile(loaded, path, UserDecimalSep());
    dialogs.Beep();
    if (directors) {
        Context().state.YoEntry = loaded;
        QString notice = QStringLiteral("   %1 loaded   ")
                             .arg(QString::fromLocal8Bit(
                                 std::filesystem::path(path).filename().string()));
        if (const std::string leftOut = DirectorsLeftOut(*directors); !leftOut.empty())
            notice += QLatin1Char('\n') + QString::fromStdString(leftOut);
        dialogs.Notice(this, notice);
    } else {
        dialogs.Notice(this, QString::fromUtf8(kNoYagFile));
    }
}

void YoDetailsWindow::done(int result)
{
    ExitYOvar();
    BaseWindow::done(result);
}

} // namespace tavora::app
