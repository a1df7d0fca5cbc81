// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDate>
#include <QFont>
#include <QStringList>

#include <functional>

class QFontMetricsF;
class QPlainTextEdit;
class QPrinter;

namespace tavora::app {

// The distance between tab stops of a tabbed table: `chars` characters of the
// font, measured on digits as well as on the average width, because the columns
// hold numbers and a digit is wider than the average letter in most fonts.
qreal ColumnTabStop(const QFontMetricsF& metrics, int chars = 8);

// Keeps an edit box's tab stops at `stop(font metrics)` now and whenever its
// font changes, so that columns stay aligned when the scaler grows the font.
void KeepTabStops(QPlainTextEdit* edit, std::function<qreal(const QFontMetricsF&)> stop);
// Sets the kept tab stops again, for a stop that depends on the text as well.
void RefreshTabStops(QPlainTextEdit* edit);

// Page margins of every printout: inside the unprintable border of most printers.
inline constexpr double kPrintMarginMm = 20.0;

// A printout's frame: the title line at the top of every page, the date and
// "Page n of m" at its foot. Without a title there is no frame.
struct PageFrame {
    QString title;
    QDate date;
};

// Writes lines to the printer as to a text device: one printed line per line,
// tabs expanded, a new page when one is full or where a line holds a form feed.
// An entry with embedded line ends is a block that starts a new page rather
// than be split, when it fits on one. A line without tabs that is wider than
// the page goes on in the next lines, broken at a blank where it can be and
// indented under its start. The job is always ended, also when it fails; a
// printer that cannot be opened throws tavora::Error. Tab stops fall every
// ColumnTabStop(font, tabChars).
void PrintTextLines(QPrinter& printer, const QFont& font, const QStringList& lines,
                    const QString& documentName = QString(), int tabChars = 8,
                    const PageFrame& frame = {});

} // namespace tavora::app
