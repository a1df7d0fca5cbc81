// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/simulation/simulation_page.h"

#include "simulation/tolerance.h"

#include <optional>

class QComboBox;
class QLabel;
class QLineEdit;

namespace tavora::app {

// How builds within the cutting tolerances come out: random builds with
// their spread, each element's sensitivity per mm, and every element cut
// long or short.
class TolerancePage : public ResultPage<ToleranceResult> {
    Q_OBJECT
  public:
    explicit TolerancePage(PageHost& host);

    QString Title() const override;
    QPushButton* RunButton() const override { return run_; }
    void Rescaled() override;

    void Start(); // "Run builds"

  private:
    void Show() override;
    void Clear() override;
    ToleranceSettings Settings() const;

    QLineEdit *builds_, *lengthTol_, *positionTol_, *seed_;
    QComboBox* distribution_;
    QLabel *heading_, *perElement_;
    QTableWidget *spread_, *sensitivity_;
    QWidget* plots_;
    QPushButton* run_;
};

} // namespace tavora::app
