// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>

namespace tavora::app {

struct AppContext;
class FormScaler;
class RadioGroup;

// Shifts the reflector and director lengths of the YO entry group from the
// mounting stored there to another one. Fixed border, no close box, and a
// form scaler of its own.
class ConversionDialog : public QDialog {
    Q_OBJECT
  public:
    static constexpr QSize kDesignSize{418, 300};

    ConversionDialog(QWidget* owner, AppContext& context);

    void DoTheConversion();

    RadioGroup* From() const { return from_; }
    RadioGroup* To() const { return to_; }

  protected:
    bool event(QEvent* event) override;

  private:
    AppContext& context_;
    RadioGroup *from_, *to_;
    FormScaler* resizeKit_;
};

} // namespace tavora::app
