// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/shell/base_window.h"

#include "design/cut_list.h"

class QComboBox;
class QPainter;
class QPrinter;
class QPushButton;
class QRectF;

namespace tavora::app {

// The cut list on one page, drawn by this one routine on screen, on paper and
// into a PDF: title and date, the design summary, the element table and the
// folded dipole's rod. The font shrinks to keep every row on the page.
void DrawCutListPage(QPainter& painter, const QRectF& page, const CutList& list,
                     const QString& date);

// "Cut list" of the results window: the page, its units and driven element,
// printing, PDF and CSV.
class CutListWindow : public BaseWindow {
    Q_OBJECT
  public:
    static constexpr QSize kDesignSize{1014, 753};

    CutListWindow(QWidget* owner, AppContext& context);

    CutList List() const;
    QString Date() const;

    void PrintIt();
    void SavePdf();
    void SaveCsv();

  private:
    void PaintOn(QPrinter& printer);
    CutList ListWithSep(char decimalSep) const;

    QComboBox *units_, *fraction_, *dipole_;
    QWidget* page_;
};

} // namespace tavora::app
