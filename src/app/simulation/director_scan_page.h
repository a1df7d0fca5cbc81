// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/simulation/simulation_page.h"

#include "simulation/director_scan.h"

class QLabel;
class QLineEdit;

namespace tavora::app {

inline constexpr const char* kNoScanDesign =
    "The director count is scanned for a DL6WU design: an existing Yagi has no design to "
    "change (Task, Design Yagi)";

// The design with other director counts: every count's figures in a table,
// gain and F/B against boom length, the best F/B and lowest SWR marked.
class DirectorScanPage : public ResultPage<DirectorScan> {
    Q_OBJECT
  public:
    explicit DirectorScanPage(PageHost& host);

    QString Title() const override;
    QPushButton* RunButton() const override { return scan_; }
    void SetRunning(bool running) override;
    void Rescaled() override;

    void Start(); // "Scan"

  private:
    void Show() override;
    void Clear() override;

    QLineEdit *from_, *to_;
    QLabel* notes_;
    QTableWidget* figures_;
    QTableWidget* table_;
    QWidget* plot_;
    QPushButton* scan_;
};

} // namespace tavora::app
