// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/shell/base_window.h"

#include "exchange/yo_details.h"

#include <array>
#include <string>

class QLineEdit;

namespace tavora::app {

class RadioGroup;

// The YO details screen: an existing Yagi's dimensions, typed or loaded from
// a .yag file, kept as texts in the YO entry group. Box n holds entry n and is
// named "Edit<n>".
class YoDetailsWindow : public BaseWindow {
    Q_OBJECT
  public:
    static constexpr QSize kDesignSize{1222, 917};

    YoDetailsWindow(QWidget* owner, AppContext& context);

    void FormActivate() override;
    void ContentsHTML1Click() override;

    // The handlers, public so that tests drive them as the controls do.
    void CalcFfromRef();
    void GenerateYO();
    void PButton4Click(); // Make Mmana
    void ConvertScreen();
    void LoadYag();
    void Simulate(); // the NEC-2 simulation of the Yagi in the boxes
    // Load Yag file without its dialog: a file named on the command line.
    void LoadYagFile(const std::string& path);

    QLineEdit* Box(int entry) const { return boxes_.at(static_cast<size_t>(entry - 1)); }

  protected:
    void done(int result) override; // ExitYOvar

  private:
    void BuildBoxes(QWidget* c);
    void SetTabOrder();
    // The boxes and selections as the entry group holds them.
    YoEntryTexts BoxTexts() const;
    void ExitYOvar();
    void ReadYag(const std::string& path);
    void SetBoxesFromValues();
    // A failed check's message, with the focus on its box.
    void ShowBoxMessage(const BoxMessage& message);
    // CalcFfromRef when a click changed a selection.
    void GroupClicked();

    std::array<QLineEdit*, 39> boxes_{};
    RadioGroup *mounting_, *source_;
    // The selections the estimate last saw, so that clicking the item
    // already selected does nothing.
    int shownSource_ = -1;
    int shownMounting_ = -1;
};

} // namespace tavora::app
