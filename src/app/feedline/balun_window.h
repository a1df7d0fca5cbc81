// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>

class QLabel;
class QPushButton;

namespace tavora::app {

struct AppContext;

// The balun construction sheet: fixed size, no menu, no scaler.
class BalunWindow : public QDialog {
    Q_OBJECT
  public:
    BalunWindow(QWidget* owner, AppContext& context);

    void FixLabels();
    void Button2Click(); // Print

    QLabel* LengthLabel() const { return length_; }
    QLabel* CoaxLabel() const { return coax_; }

  protected:
    bool event(QEvent* event) override;

  private:
    void PrintBalunSheet(const QString& title);

    AppContext& context_;
    QWidget* picture_;
    QLabel* length_;
    QLabel* coax_;
    QPushButton *print_, *back_;
};

} // namespace tavora::app
