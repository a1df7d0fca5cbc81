// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/simulation/simulation_page.h"

#include "simulation/tune.h"

#include <optional>

class QLabel;
class QLineEdit;

namespace tavora::app {

// Trimming the driven element to resonance and matching the feed to the
// line: the tuned length, the feed before and after, the rod to bend, the
// transformer, and gain and SWR over the sweep before and after on one plot.
class TunePage : public ResultPage<TuneResult> {
    Q_OBJECT
  public:
    // The page tunes `design`, the designed Yagi the window simulates.
    TunePage(PageHost& host, DesignState design);

    QString Title() const override;
    QPushButton* RunButton() const override { return tune_; }
    void Rescaled() override;

    void Start(); // "Tune"

  private:
    void Show() override;
    void Clear() override;

    DesignState design_;
    QLineEdit* velocityFactor_;
    QLabel* notes_;
    QTableWidget* figures_;
    QWidget* plot_;
    QPushButton* tune_;
};

// Gain and SWR over the sweep, the DL6WU length's dashed, the tuned one's
// solid, and the SWR through the transformer: one routine for every surface.
void DrawTunePlot(QPainter& painter, const QRectF& area, const TuneResult& result, char decimalSep);
// The figures, then the plot.
void DrawTunePage(QPainter& painter, const QRectF& page, const TuneResult& result, char decimalSep);

} // namespace tavora::app
