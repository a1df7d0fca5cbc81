#pragma once

#include <QDialog>

namespace tavora::app {

// Help, About...: fixed layout, no scaler, not derived from the base window.
class TfmAboutBox : public QDialog {
    Q_OBJECT
  public:
    explicit TfmAboutBox(QWidget* owner);
};

} // namespace tavora::app
