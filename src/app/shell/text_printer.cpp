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
    return chars * std::max(metrics.averageCharWidth(),
                            metrics.horizontalAdvance(QLatin1Char('0')));
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
                    const QString& documentName, int tabChars)
{
    if (!documentName.isEmpty())
        printer.setDocName(documentName);
    printer.setPageMargins(QMarginsF(kPrintMarginMm, kPrintMarginMm, kPrintMarginMm,
                                     kPrintMarginMm),
                           QPageLayout::Millimeter);
    QPainter painter;
    if (!painter.begin(&printer))
        throw Error("Printer is not available");
    painter.setFont(QFont(font, &printer));
    const QFontMetricsF metrics(painter.font(), &printer);
    const QRectF page = printer.pageLayout().paintRectPixels(printer.resolution());
    const double tab = ColumnTabStop(metrics, tabChars);

    double y = 0;
    bool pageHasText = false;
    const auto newPage = [&] {
        printer.newPage();
        y = 0;
        pageHasText = false;
    };
    const auto drawLine = [&](const QString& line) {
        if (pageHasText && y + metrics.lineSpacing() > page.height())
            newPage();
        double x = 0;
        const QStringList cells = line.split(QLatin1Char('\t'));
        for (qsizetype i = 0; i < cells.size(); ++i) {
            if (i > 0)
                x = (std::floor(x / tab) + 1) * tab;
            painter.drawText(QPointF(x, y + metrics.ascent()), cells[i]);
            x += metrics.horizontalAdvance(cells[i]);
        }
        y += metrics.lineSpacing();
        pageHasText = true;
    };

    for (const QString& block : lines) {
        QString text = block;
        text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
        for (QString line : text.split(QLatin1Char('\n'))) {
            while (line.startsWith(QLatin1Char('\f'))) {
                newPage();
                line.remove(0, 1);
            }
            while (!line.contains(QLatin1Char('\t')) &&
                   metrics.horizontalAdvance(line) > page.width()) {
                const qsizetype n = FittingLength(line, metrics, page.width());
                drawLine(line.left(n));
                line.remove(0, n);
            }
            drawLine(line);
        }
    }
    painter.end();
}

} // namespace tavora::app
