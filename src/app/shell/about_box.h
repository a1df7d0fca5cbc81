// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>

namespace tavora::app {

// Help, About...: fixed layout, no scaler, not derived from the base window.
class AboutBox : public QDialog {
    Q_OBJECT
  public:
    explicit AboutBox(QWidget* owner);
};

} // namespace tavora::app
