#include "text_printer.h"

#include "state/errors.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QPrinter>
#include <QTextOption>

namespace tavora::app {

void PrintTextLines(QPrinter& printer, const QFont& font, const QStringList& lines,
                    const QString& documentName)
{
    if (!documentName.isEmpty())
        printer.setDocName(documentName);
    QPainter painter;
    if (!painter.begin(&printer))
        throw Error("Printer is not available");
    painter.setFont(QFont(font, &printer));
    const QFontMetricsF metrics(painter.font(), &printer);
    const QRectF page = printer.pageLayout().paintRectPixels(printer.resolution()).translated(
        -printer.pageLayout().paintRectPixels(printer.resolution()).topLeft());
    QTextOption option;
    option.setWrapMode(QTextOption::NoWrap);
    option.setTabStopDistance(metrics.horizontalAdvance(QLatin1Char('x')) * 8);

    double y = 0;
    bool pageHasText = false;
    auto newPage = [&] {
        printer.newPage();
        y = 0;
        pageHasText = false;
    };
    for (const QString& block : lines) {
        QString text = block;
        text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
        for (QString line : text.split(QLatin1Char('\n'))) {
            while (line.startsWith(QLatin1Char('\f'))) {
                newPage();
                line.remove(0, 1);
            }
            if (pageHasText && y + metrics.lineSpacing() > page.height())
                newPage();
            painter.drawText(QRectF(0, y, page.width(), metrics.lineSpacing()), line, option);
            y += metrics.lineSpacing();
            pageHasText = true;
        }
    }
    painter.end();
}

} // namespace tavora::app
