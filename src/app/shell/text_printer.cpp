// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/shell/text_printer.h"

#include "state/errors.h"

#include <QEvent>
#include <QFontMetricsF>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPrinter>
#include <algorithm>
#include <cmath>

namespace tavora::app {

qreal ColumnTabStop(const QFontMetricsF& metrics, int chars)
{
    return chars *
           std::max(metrics.averageCharWidth(), metrics.horizontalAdvance(QLatin1Char('0')));
}

namespace {

class TabStopKeeper : public QObject {
  public:
    TabStopKeeper(QPlainTextEdit* edit, std::function<qreal(const QFontMetricsF&)> stop)
        : QObject(edit), edit_(edit), stop_(std::move(stop))
    {
        setObjectName(kName);
        edit->installEventFilter(this);
        Apply();
    }
    void Apply() { edit_->setTabStopDistance(stop_(QFontMetricsF(edit_->font()))); }

    static constexpr const char* kName = "TabStopKeeper";

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (watched == edit_ && event->type() == QEvent::FontChange)
            Apply();
        return false;
    }

  private:
    QPlainTextEdit* edit_;
    std::function<qreal(const QFontMetricsF&)> stop_;
};

} // namespace

void RefreshTabStops(QPlainTextEdit* edit)
{
    if (auto* keeper = edit->findChild<QObject*>(QString::fromUtf8(TabStopKeeper::kName),
                                                 Qt::FindDirectChildrenOnly))
        static_cast<TabStopKeeper*>(keeper)->Apply();
}

namespace {

// The longest head of `line` that fits `width`, cut after a blank where one fits.
qsizetype FittingLength(const QString& line, const QFontMetricsF& metrics, qreal width)
{
    qsizetype fit = 1;
    while (fit < line.size() && metrics.horizontalAdvance(line.left(fit + 1)) <= width)
        ++fit;
    if (fit == line.size())
        return fit;
    const qsizetype blank = line.lastIndexOf(QLatin1Char(' '), fit);
    return blank > 0 ? blank + 1 : fit;
}

} // namespace

void KeepTabStops(QPlainTextEdit* edit, std::function<qreal(const QFontMetricsF&)> stop)
{
    new TabStopKeeper(edit, std::move(stop));
}

void PrintTextLines(QPrinter& printer, const QFont& font, const QStringList& lines,
                    const QString& documentName, int tabChars, const PageFrame& frame)
{
    if (!documentName.isEmpty())
        printer.setDocName(documentName);
    printer.setPageMargins(
        QMarginsF(kPrintMarginMm, kPrintMarginMm, kPrintMarginMm, kPrintMarginMm),
        QPageLayout::Millimeter);
    QPainter painter;
    if (!painter.begin(&printer))
        throw Error("Printer is not available");
    painter.setFont(QFont(font, &printer));
    const QFontMetricsF metrics(painter.font(), &printer);
    const QRectF page = printer.pageLayout().paintRectPixels(printer.resolution());
    const double tab = ColumnTabStop(metrics, tabChars);
    const double spacing = metrics.lineSpacing();
    const bool framed = !frame.title.isEmpty();
    // The title and a blank line above the text, a blank line and the foot below.
    const double top = framed ? 2 * spacing : 0;
    const double height = page.height() - (framed ? 4 * spacing : 0);
    const double hanging = metrics.horizontalAdvance(QStringLiteral("    "));

    // Laid out into pages first, so that every page can say how many there are.
    struct Line {
        QString text;
        double indent = 0;
    };
    std::vector<std::vector<Line>> pages(1);
    const auto newPage = [&] { pages.emplace_back(); };
    const auto room = [&] { return static_cast<int>(std::max(1.0, std::floor(height / spacing))); };
    for (const QString& entry : lines) {
        QString text = entry;
        text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
        std::vector<Line> block;
        for (QString line : text.split(QLatin1Char('\n'))) {
            while (line.startsWith(QLatin1Char('\f'))) {
                block.push_back({QStringLiteral("\f")});
                line.remove(0, 1);
            }
            double indent = 0;
            while (!line.contains(QLatin1Char('\t')) &&
                   metrics.horizontalAdvance(line) > page.width() - indent) {
                const qsizetype n = FittingLength(line, metrics, page.width() - indent);
                block.push_back({line.left(n), indent});
                line.remove(0, n);
                indent = hanging;
            }
            block.push_back({line, indent});
        }
        const bool hasFormFeed =
            std::any_of(block.begin(), block.end(), [](const Line& l) { return l.text == "\f"; });
        const int size = static_cast<int>(block.size());
        if (size > 1 && !hasFormFeed && size <= room() &&
            static_cast<int>(pages.back().size()) + size > room())
            newPage();
        for (const Line& line : block) {
            if (line.text == QLatin1String("\f")) {
                newPage();
                continue;
            }
            if (static_cast<int>(pages.back().size()) >= room())
                newPage();
            pages.back().push_back(line);
        }
    }

    const auto drawLine = [&](const Line& line, double y) {
        double x = line.indent;
        const QStringList cells = line.text.split(QLatin1Char('\t'));
        for (qsizetype i = 0; i < cells.size(); ++i) {
            if (i > 0)
                x = (std::floor(x / tab) + 1) * tab;
            painter.drawText(QPointF(x, y + metrics.ascent()), cells[i]);
            x += metrics.horizontalAdvance(cells[i]);
        }
    };
    const int count = static_cast<int>(pages.size());
    for (int n = 0; n < count; ++n) {
        if (n > 0)
            printer.newPage();
        if (framed) {
            QFont bold = painter.font();
            bold.setBold(true);
            painter.save();
            painter.setFont(bold);
            painter.drawText(QRectF(0, 0, page.width(), spacing), Qt::AlignLeft, frame.title);
            painter.restore();
            const QRectF foot(0, page.height() - spacing, page.width(), spacing);
            painter.drawText(foot, Qt::AlignLeft, frame.date.toString(Qt::ISODate));
            painter.drawText(foot, Qt::AlignRight,
                             QStringLiteral("Page %1 of %2").arg(n + 1).arg(count));
        }
        double y = top;
        for (const Line& line : pages[static_cast<size_t>(n)]) {
            drawLine(line, y);
            y += spacing;
        }
    }
    painter.end();
}

} // namespace tavora::app
