// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/simulation/simulation_page.h"

#include "simulation/array.h"

#include <optional>

class QComboBox;
class QLabel;
class QLineEdit;

namespace tavora::app {

// Two or four Yagis of the design as one array: its figures beside one
// Yagi's, both cuts over one Yagi's, and the gain and side lobes against
// spacing.
class ArrayPage : public ResultPage<ArrayResult> {
    Q_OBJECT
  public:
    explicit ArrayPage(PageHost& host);

    QString Title() const override;
    QPushButton* RunButton() const override { return simulate_; }
    void SetRunning(bool running) override;
    void Rescaled() override;

    void Start(); // "Simulate array"

  private:
    ArraySettings Settings() const;
    void Show() override;
    void Clear() override;

    QComboBox* arrangement_;
    QLineEdit *spacing_, *from_, *to_, *points_, *sideLobe_;
    QLabel* notes_;
    QTableWidget* figures_;
    QTableWidget* sweep_;
    QWidget* plots_;
    QPushButton* simulate_;
};

} // namespace tavora::app
