// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/design/cut_list_window.h"

#include "app/shell/text_printer.h"
#include "app/shell/tool_widgets.h"
#include "app/shell/user_locale.h"

#include "design/report.h"
#include "state/atomic_file.h"
#include "state/design_state.h"
#include "state/errors.h"

#include <QComboBox>
#include <QDate>
#include <QDir>
#include <QFontMetricsF>
#include <QLabel>
#include <QLocale>
#include <QPainter>
#include <QPrinter>
#include <QPushButton>

#include <algorithm>

namespace tavora::app {

namespace {

QString Q(const std::string& text)
{
    return QString::fromStdString(text);
}

struct Table {
    std::vector<std::string> columns;
    std::vector<std::vector<std::string>> rows;
};

// A table's column widths in `font`, with a gap after each column.
std::vector<qreal> Widths(const Table& t, const QFont& font, QPaintDevice* device, qreal gap)
{
    const QFontMetricsF m(font, device);
    QFont bold = font;
    bold.setBold(true); // the heading's
    const QFontMetricsF mb(bold, device);
    std::vector<qreal> widths(t.columns.size(), 0);
    for (size_t c = 0; c < t.columns.size(); ++c) {
        widths[c] = mb.horizontalAdvance(Q(t.columns[c]));
        for (const auto& row : t.rows)
            widths[c] = std::max(widths[c], m.horizontalAdvance(Q(row[c])));
        widths[c] += gap;
    }
    return widths;
}

// Draws a table from `top`: a bold heading under a rule, then ruled rows;
// names left, numbers right. Returns where the next line goes.
qreal DrawTable(QPainter& p, const Table& t, qreal left, qreal top, qreal lineHeight,
                const QFont& font, qreal gap)
{
    const std::vector<qreal> widths = Widths(t, font, p.device(), gap);
    qreal right = left;
    for (qreal w : widths)
        right += w;
    const auto drawRow = [&](const std::vector<std::string>& cells, qreal y) {
        qreal x = left;
        for (size_t c = 0; c < cells.size(); ++c) {
            const QRectF cell(x, y, widths[c] - gap, lineHeight);
            p.drawText(cell, Qt::AlignVCenter | (c == 0 ? Qt::AlignLeft : Qt::AlignRight),
                       Q(cells[c]));
            x += widths[c];
        }
    };
    QFont bold = font;
    bold.setBold(true);
    p.setFont(bold);
    drawRow(t.columns, top);
    p.setFont(font);
    qreal y = top + lineHeight;
    p.drawLine(QPointF(left, y), QPointF(right, y));
    for (const auto& row : t.rows) {
        drawRow(row, y);
        y += lineHeight;
        p.setPen(QPen(Qt::gray, 0));
        p.drawLine(QPointF(left, y), QPointF(right, y));
        p.setPen(QPen(Qt::black, 0));
    }
    return y;
}

class PagePreview : public QWidget {
  public:
    PagePreview(QWidget* parent, const CutListWindow& window) : QWidget(parent), window_(window) {}

  protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter painter(this);
        painter.fillRect(rect(), Qt::white);
        try {
            DrawCutListPage(painter, QRectF(rect()).adjusted(16, 16, -16, -16), window_.List(),
                            window_.Date());
        } catch (const Error&) {
            // A design that cannot be computed has no cut list; the results
            // window has shown its error.
        }
    }

  private:
    const CutListWindow& window_;
};

} // namespace

void DrawCutListPage(QPainter& p, const QRectF& page, const CutList& list, const QString& date)
{
    const Table elements{list.columns, list.rows};
    const Table rod{list.rodColumns, list.rodRows};
    const size_t lines = 3 + list.summary.size() + 1 + elements.rows.size() + 1 +
                         (rod.rows.empty() ? 0 : rod.rows.size() + 2);
    // Large enough to read at the bench; smaller only when the rows need it.
    qreal lineHeight = std::min(page.height() / static_cast<qreal>(lines + 1), page.height() / 36);
    QFont font = p.font();
    font.setBold(false);
    font.setPixelSize(std::max(1, static_cast<int>(lineHeight * 0.62)));
    const qreal gap = lineHeight;
    qreal width = 0;
    for (qreal w : Widths(elements, font, p.device(), gap))
        width += w;
    qreal captions = 0, values = 0;
    {
        const QFontMetricsF m(font, p.device());
        for (const auto& [caption, value] : list.summary) {
            captions = std::max(captions, m.horizontalAdvance(Q(caption)));
            values = std::max(values, m.horizontalAdvance(Q(value)));
        }
    }
    width = std::max(width, captions + gap + values);
    if (width > page.width()) {
        lineHeight *= page.width() / width;
        font.setPixelSize(std::max(1, static_cast<int>(lineHeight * 0.62)));
    }
    p.save();
    p.setPen(QPen(Qt::black, 0));
    QFont title = font;
    title.setBold(true);
    title.setPixelSize(font.pixelSize() * 3 / 2);
    p.setFont(title);
    qreal y = page.top();
    p.drawText(QRectF(page.left(), y, page.width(), lineHeight * 1.5), Qt::AlignLeft,
               Q(list.title));
    y += lineHeight * 1.5;
    p.setFont(font);
    p.drawText(QRectF(page.left(), y, page.width(), lineHeight), Qt::AlignLeft, date);
    y += lineHeight * 1.5;
    const QFontMetricsF m(font, p.device());
    qreal captionWidth = 0;
    for (const auto& [caption, value] : list.summary)
        captionWidth = std::max(captionWidth, m.horizontalAdvance(Q(caption)));
    for (const auto& [caption, value] : list.summary) {
        p.drawText(QRectF(page.left(), y, captionWidth, lineHeight),
                   Qt::AlignLeft | Qt::AlignVCenter, Q(caption));
        p.drawText(QRectF(page.left() + captionWidth + gap, y, page.width(), lineHeight),
                   Qt::AlignLeft | Qt::AlignVCenter, Q(value));
        y += lineHeight;
    }
    y = DrawTable(p, elements, page.left(), y + lineHeight, lineHeight, font, gap);
    if (!rod.rows.empty())
        DrawTable(p, rod, page.left(), y + lineHeight, lineHeight, font, gap);
    p.restore();
}

CutListWindow::CutListWindow(QWidget* owner, AppContext& context)
    : BaseWindow(owner, context, kDesignSize)
{
    setObjectName(QStringLiteral("CutListWindow"));
    SetHelpTopic(shell::HelpTopic::Results);
    setWindowTitle(QStringLiteral("Cut list"));
    Heading()->setText(QStringLiteral("Tavora "));
    HideMenu(BaseMenu::File);
    HideMenu(BaseMenu::Task);

    QWidget* c = Client();
    SetToolFont(c);
    page_ = new PagePreview(c, *this);
    page_->setObjectName(QStringLiteral("Page"));
    // A4 upright, as it prints.
    page_->setGeometry(10, 40, 480, 679);

    AddLabel("UnitsLabel", QStringLiteral("Units"), {760, 40, 230, 26}, c);
    units_ = new QComboBox(c);
    units_->setObjectName(QStringLiteral("Units"));
    units_->addItems({QStringLiteral("Millimetres"), QStringLiteral("Inches")});
    units_->setGeometry(760, 68, 150, 32);
    units_->setCurrentIndex(static_cast<int>(CutUnitFromText(context.state.CutListUnits)));
    // Inches to the nearest 1/64 or 1/32; of no use in millimetres.
    fraction_ = new QComboBox(c);
    fraction_->setObjectName(QStringLiteral("Fraction"));
    fraction_->addItem(QStringLiteral("1/64"), static_cast<int>(CutFraction::SixtyFourth));
    fraction_->addItem(QStringLiteral("1/32"), static_cast<int>(CutFraction::ThirtySecond));
    fraction_->setGeometry(916, 68, 74, 32);
    fraction_->setEnabled(units_->currentIndex() == static_cast<int>(CutUnit::Inch));
    AddLabel("DipoleLabel", QStringLiteral("Driven element"), {760, 110, 230, 26}, c);
    dipole_ = new QComboBox(c);
    dipole_->setObjectName(QStringLiteral("Dipole"));
    dipole_->addItems({QStringLiteral("Single dipole"), QStringLiteral("Folded dipole")});
    dipole_->setCurrentIndex(1);
    dipole_->setGeometry(760, 138, 230, 32);

    const auto button = [c](const char* name, const char* caption, int top) {
        return AddButton(name, QString::fromUtf8(caption), {760, top, 230, 42}, c);
    };
    QPushButton* print = button("Print", "&Print", 200);
    QPushButton* pdf = button("SavePdf", "Save P&DF", 252);
    QPushButton* csv = button("SaveCsv", "Save &CSV", 304);
    QPushButton* back = button("Back", "&Back", 356);

    On(units_, &QComboBox::currentIndexChanged, [this] {
        Context().state.CutListUnits = CutUnitText(static_cast<CutUnit>(units_->currentIndex()));
        fraction_->setEnabled(units_->currentIndex() == static_cast<int>(CutUnit::Inch));
        page_->update();
    });
    On(fraction_, &QComboBox::currentIndexChanged, [this] { page_->update(); });
    On(dipole_, &QComboBox::currentIndexChanged, [this] { page_->update(); });
    On(print, &QPushButton::clicked, [this] { PrintIt(); });
    On(pdf, &QPushButton::clicked, [this] { SavePdf(); });
    On(csv, &QPushButton::clicked, [this] { SaveCsv(); });
    On(back, &QPushButton::clicked, [this] { accept(); });
}

CutList CutListWindow::List() const
{
    return ListWithSep(UserDecimalSep());
}

CutList CutListWindow::ListWithSep(char decimalSep) const
{
    return MakeCutList(Context().state, static_cast<CutUnit>(units_->currentIndex()),
                       static_cast<CutDipole>(dipole_->currentIndex()), decimalSep,
                       static_cast<CutFraction>(fraction_->currentData().toInt()));
}

QString CutListWindow::Date() const
{
    return QLocale().toString(QDate::currentDate(), QLocale::LongFormat);
}

void CutListWindow::PaintOn(QPrinter& printer)
{
    const CutList list = List();
    QPainter painter;
    if (!painter.begin(&printer))
        throw Error("Printer could not be opened");
    const QRectF page = printer.pageLayout().paintRectPixels(printer.resolution());
    DrawCutListPage(painter, QRectF(0, 0, page.width(), page.height()), list, Date());
    painter.end();
}

void CutListWindow::PrintIt()
{
    const QString name = Q("Cut list " + ReportDocumentName(Context().state, UserDecimalSep()));
    std::unique_ptr<QPrinter> printer = Context().dialogs.Print(this, name);
    if (printer)
        PaintOn(*printer);
}

void CutListWindow::SavePdf()
{
    const QString path = Context().dialogs.SaveFile(
        this, {QStringLiteral("Save cut list as PDF"), QStringLiteral("pdf"),
               QStringLiteral("PDF files (*.pdf);;All files (*.*)"),
               QDir::current().filePath(QStringLiteral("Cut list.pdf"))});
    if (path.isEmpty())
        return;
    QPrinter pdf(QPrinter::HighResolution);
    pdf.setOutputFormat(QPrinter::PdfFormat);
    pdf.setPageMargins(QMarginsF(kPrintMarginMm, kPrintMarginMm, kPrintMarginMm, kPrintMarginMm),
                       QPageLayout::Millimeter);
    pdf.setOutputFileName(path);
    PaintOn(pdf);
    Context().dialogs.Beep();
    Context().dialogs.Notice(this, QStringLiteral("File saved"));
}

void CutListWindow::SaveCsv()
{
    // Files take a point, whatever the user's separator.
    SaveCsvTables(Context().dialogs, this, QStringLiteral("Save cut list as CSV"),
                  QDir::current().filePath(QStringLiteral("Cut list.csv")),
                  CutListCsv(ListWithSep('.')));
}

} // namespace tavora::app
