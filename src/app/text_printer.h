#pragma once

#include <QFont>
#include <QStringList>

class QPrinter;

namespace tavora::app {

// Writes lines to the printer as to a text device: one printed line per line
// (an embedded line end starts another), tabs expanded, a new page when one is
// full or where a line holds a form feed. The job is always ended, also when it
// fails; a printer that cannot be opened throws tavora::Error.
// Tab stops fall every `tabChars` average character widths.
void PrintTextLines(QPrinter& printer, const QFont& font, const QStringList& lines,
                    const QString& documentName = QString(), int tabChars = 8);

} // namespace tavora::app
