// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/simulation/simulation_page.h"

#include "simulation/simulation.h"

#include <optional>

class QLabel;

namespace tavora::app {

// The simulation itself: the figures beside the DL6WU estimates, both pattern
// cuts and the sweep, with the exports only a sweep gives.
class SweepPage : public ResultPage<SimulationResult> {
    Q_OBJECT
  public:
    explicit SweepPage(PageHost& host);

    QString Title() const override;
    QPushButton* RunButton() const override { return simulate_; }
    void SetRunning(bool running) override;
    void Rescaled() override;

    void Start(); // "Simulate"
    void SaveTouchstone(); // .s1p, S11 against the SWR reference
    void SaveNecDeck();    // as `design --nec`

  private:
    void Show() override;
    void Clear() override;

    QLabel* notes_;
    QTableWidget* figures_;
    QTableWidget* sweep_;
    QWidget* plots_;
    QPushButton *simulate_, *saveS1p_, *saveNec_;
};

} // namespace tavora::app
