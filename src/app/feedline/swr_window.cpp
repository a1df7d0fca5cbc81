// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/feedline/swr_window.h"

#include "app/shell/form_scaler.h"
#include "app/shell/radio_group.h"
#include "app/shell/text_printer.h"
#include "app/shell/tool_widgets.h"
#include "app/shell/user_locale.h"

#include "feedline/coax_data.h"

#include <QComboBox>
#include <QFontMetricsF>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPrinter>
#include <QPushButton>

#include <algorithm>

namespace tavora::app {

namespace {

// Runs a handler's core step and shows the session afterwards, whether or not
// the step failed.
template <class Step> void Then(Step step, const std::function<void()>& show)
{
    try {
        step();
    } catch (...) {
        show();
        throw;
    }
    show();
}

// The widest text before a tab in the memo: the cells that a tab stop must clear.
qreal WidestCell(const QString& memo, const QFontMetricsF& metrics)
{
    qreal widest = 0;
    for (const QString& line : memo.split(QLatin1Char('\n'))) {
        const QStringList cells = line.split(QLatin1Char('\t'));
        for (qsizetype i = 0; i + 1 < cells.size(); ++i)
            widest = std::max(widest, metrics.horizontalAdvance(cells[i]));
    }
    return widest;
}

} // namespace

SwrWindow::SwrWindow(QWidget* owner, AppContext& context) : BaseWindow(owner, context, kDesignSize)
{
    setObjectName(QStringLiteral("Form1"));
    SetHelpTopic(shell::HelpTopic::Swr);
    setWindowTitle(QStringLiteral("SWR calculations"));
    HideMenu(BaseMenu::File);
    HideMenu(BaseMenu::Task);

    QWidget* c = Client();
    SetToolFont(c);
    AddTitle(QStringLiteral("SWR CALCULATOR"), {30, 40, 500, 44}, c);

    auto* entry = new QGroupBox(c);
    entry->setObjectName(QStringLiteral("Panel1"));
    entry->setGeometry(30, 92, 560, 336);
    QStringList items;
    for (int i = 0; i < 4; ++i)
        items << QString::fromUtf8(MeasureTextsOf(static_cast<MeasureMode>(i)).item);
    measure_ = new RadioGroup(QStringLiteral("RadioGroup1"), QStringLiteral("Measure"), items,
                              {15, 12, 250, 172}, entry);
    measure_->SetItemIndex(0);
    compensate_ =
        new RadioGroup(QStringLiteral("RadioGroup2"), QStringLiteral("Coax compensate"),
                       {QStringLiteral("Yes"), QStringLiteral("No")}, {15, 200, 250, 100}, entry);
    compensate_->SetItemIndex(1);
    reverseLabel_ = AddLabel("Label7", QStringLiteral("Reverse watts"), {290, 12, 250, 28}, entry);
    reverse_ = AddEdit("Edit1", QString(), {290, 42, 170, 34}, entry);
    forwardLabel_ = AddLabel("Label8", QStringLiteral("Forward watts"), {290, 88, 250, 28}, entry);
    forward_ = AddEdit("Edit2", QString(), {290, 118, 170, 34}, entry);
    lengthLabel_ =
        AddLabel("Label9", QStringLiteral("Length coax - metres"), {290, 168, 250, 28}, entry);
    length_ = AddEdit("Edit3", QStringLiteral("0"), {290, 198, 170, 34}, entry);
    bandLabel_ = AddLabel("Label10", QStringLiteral("Select band"), {290, 244, 250, 28}, entry);
    band_ = new QComboBox(entry);
    band_->setObjectName(QStringLiteral("ComboBox1"));
    band_->setGeometry(290, 274, 170, 34);
    for (const char* band : kBands)
        band_->addItem(QString::fromUtf8(band));
    band_->setCurrentIndex(-1);

    cables_ = new QListWidget(c);
    cables_->setObjectName(QStringLiteral("ListBox1"));
    cables_->setGeometry(30, 438, 560, 200);
    // Entries are shown whole: a long one wraps instead of running off the side.
    cables_->setWordWrap(true);
    cables_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    cables_->setResizeMode(QListView::Adjust);
    cables_->setAlternatingRowColors(true);
    // Sorted as the core lists the cables, so that a row is a cable's index.
    lossLabel_ = AddLabel("Label11", QString::fromUtf8(kCoaxLossCaption), {30, 646, 560, 28}, c);
    powerLine_ = AddLabel("Label12", QString(), {30, 678, 560, 28}, c);

    auto* buttons = new QGroupBox(c);
    buttons->setObjectName(QStringLiteral("Panel2"));
    buttons->setGeometry(30, 714, 560, 72);
    QPushButton* calculate =
        AddButton("Button1", QStringLiteral("&Calculate"), {14, 13, 164, 46}, buttons);
    QPushButton* print =
        AddButton("Button2", QStringLiteral("&Print"), {198, 13, 164, 46}, buttons);
    QPushButton* back = AddButton("Button3", QStringLiteral("&Back"), {382, 13, 164, 46}, buttons);
    SetEnterButton(calculate);

    memo_ = new QPlainTextEdit(c);
    memo_->setObjectName(QStringLiteral("Memo1"));
    memo_->setGeometry(610, 92, 515, 694);
    memo_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    QFont sans(QStringLiteral("Arial"));
    sans.setPixelSize(16);
    memo_->setFont(sans);
    // Six columns of seven characters ("antenna"), at any font size; a very
    // large SWR widens every column rather than push its row out of them, and
    // a row too wide for the memo scrolls instead of breaking.
    memo_->setLineWrapMode(QPlainTextEdit::NoWrap);
    KeepTabStops(memo_, [this](const QFontMetricsF& metrics) {
        return std::max(ColumnTabStop(metrics, 7),
                        WidestCell(memo_->toPlainText(), metrics) + ColumnTabStop(metrics, 1));
    });

    On(measure_, &RadioGroup::Clicked, [this] { Changeunits(); });
    On(compensate_, &RadioGroup::Clicked, [this] { Docoax(); });
    On(new ListChoice(cables_), &ListChoice::Chosen, [this] { GetLoss(); });
    On(length_, &QLineEdit::textChanged, [this] { UpdateEdit(); });
    On(band_, &QComboBox::currentIndexChanged, [this] { UpdateEdit(); });
    On(calculate, &QPushButton::clicked, [this] { FindSWR(); });
    On(print, &QPushButton::clicked, [this] { PrintTheMemo(); });
    On(back, &QPushButton::clicked, [this] { accept(); });

    memo_->setPlainText(FromCrlf(session_.memo));
    ShowSession();
}

void SwrWindow::showEvent(QShowEvent* event)
{
    BaseWindow::showEvent(event);
    SetUpMemo();
}

void SwrWindow::SetUpMemo()
{
    session_.memo = SwrMemoHeading();
    memo_->setPlainText(FromCrlf(session_.memo));
    RefreshTabStops(memo_);
}

void SwrWindow::ShowSession()
{
    for (QWidget* control : std::initializer_list<QWidget*>{
             length_, lengthLabel_, band_, bandLabel_, cables_, lossLabel_, powerLine_})
        control->setVisible(session_.CableControlsVisible());
    QStringList listed;
    for (int i = 0; i < cables_->count(); ++i)
        listed << cables_->item(i)->text();
    QStringList cables;
    for (const std::string& cable : session_.cables)
        cables << QString::fromStdString(cable);
    if (listed != cables) {
        cables_->clear();
        cables_->addItems(cables);
    }
    if (session_.selectedCable < 0)
        cables_->setCurrentRow(-1);
    else
        cables_->setCurrentRow(session_.selectedCable);
    lossLabel_->setText(QString::fromStdString(session_.lossLabel));
    powerLine_->setText(QString::fromStdString(session_.powerLine));
}

void SwrWindow::Changeunits()
{
    const auto mode = static_cast<MeasureMode>(measure_->ItemIndex());
    tavora::ChangeUnits(session_, mode);
    const MeasureTexts& texts = MeasureTextsOf(mode);
    reverseLabel_->setText(QString::fromUtf8(texts.firstLabel));
    forwardLabel_->setText(QString::fromUtf8(texts.secondLabel));
    reverse_->clear();
    forward_->clear();
    ShowSession();
}

void SwrWindow::Docoax()
{
    std::string message;
    Then(
        [&] {
            message = tavora::Docoax(session_, compensate_->ItemIndex() == 0, Context().state,
                                     UserDecimalSep());
        },
        [this] { ShowSession(); });
    if (!message.empty())
        Context().dialogs.Notice(this, QString::fromStdString(message));
}

void SwrWindow::GetLoss()
{
    // The list is sorted as the session's cables are: its row is the index.
    session_.selectedCable = cables_->currentRow();
    session_.band = band_->currentIndex();
    std::string message;
    Then([&] { message = tavora::GetLoss(session_, Text(length_), UserDecimalSep()); },
         [this] { ShowSession(); });
    if (message.empty())
        return;
    Context().dialogs.Notice(this, QString::fromStdString(message));
    if (message == kSelectBandFirst)
        band_->setFocus();
}

void SwrWindow::UpdateEdit()
{
    session_.band = band_->currentIndex();
    std::string message;
    Then([&] { message = tavora::UpdateEdit(session_, Text(length_), UserDecimalSep()); },
         [this] { ShowSession(); });
    if (!message.empty())
        Context().dialogs.Notice(this, QString::fromStdString(message));
}

void SwrWindow::FindSWR()
{
    // The user may have edited the memo: the row goes after whatever it holds.
    const std::string before = ToCrlf(memo_->toPlainText());
    session_.memo = before;
    Then(
        [&] {
            tavora::FindSWR(session_, Text(reverse_), Text(forward_), Text(length_),
                            UserDecimalSep());
        },
        [this] { ShowSession(); });
    AppendToMemo(memo_, session_.memo.substr(before.size()));
    RefreshTabStops(memo_);
}

void SwrWindow::PrintTheMemo()
{
    if (std::unique_ptr<QPrinter> printer = Context().dialogs.Print(this, windowTitle())) {
        QFont font = memo_->font();
        font.setPointSize(12);
        QStringList lines;
        for (const std::string& line :
             SwrPrintLines(memo_->toPlainText().toStdString(), session_.mode))
            lines << QString::fromStdString(line);
        PrintTextLines(*printer, font, lines, windowTitle());
    }
    if (Context().dialogs.Message(this, QMessageBox::Question,
                                  QString::fromUtf8(kClearMemoQuestion),
                                  QMessageBox::Yes | QMessageBox::No) == QMessageBox::Yes)
        SetUpMemo();
}

} // namespace tavora::app
