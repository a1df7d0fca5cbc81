// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/shell/base_window.h"

#include "feedline/impedance.h"

class QLabel;
class QLineEdit;

namespace tavora::app {

class RadioGroup;

// Line impedance: parallel rod lines and quarter-wave transformers. Shares
// nothing with the design state and keeps nothing.
class ImpedanceWindow : public BaseWindow {
    Q_OBJECT
  public:
    static constexpr QSize kDesignSize{1227, 907};

    ImpedanceWindow(QWidget* owner, AppContext& context);

    void Contents1Click() override;
    void ContentsHTML1Click() override { HelpContext(135); }

    void RadioGroup1Click();
    void RadioGroup2Click();
    void Button1Click();
    void Button2Click();

  private:
    struct Box {
        QLabel* label;
        QLineEdit* edit;
        void SetVisible(bool visible) const;
    };

    Box AddBoxRow(const char* labelName, const char* editName, const QString& caption,
                  const std::string& text, int top, int labelWidth, QWidget* parent);
    RodUnknown Unknown() const;
    RodSection Section() const;
    const Box& BoxOf(RodUnknown unknown) const;
    void ShowKnowns();

    Box crossSection_{}, spacing_{}, impedance_{};
    Box freq_{}, zIn_{}, zOut_{}, velocityFactor_{}, length_{}, zSection_{};
    RadioGroup *unknown_, *section_;
    QLabel* message_;
};

} // namespace tavora::app
