#include "text_printer.h"

#include "state/errors.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QPrinter>

#include <cmath>

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
    const QRectF page =
        printer.pageLayout()
            .paintRectPixels(printer.resolution())
            .translated(-printer.pageLayout().paintRectPixels(printer.resolution()).topLeft());
    // Tabs are expanded here: the painter's own tab stops drop the text after
    // a tab on a printer.
    const double tab = metrics.horizontalAdvance(QLatin1Char('x')) * 8;

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
        }
    }
    painter.end();
}

} // namespace tavora::app
