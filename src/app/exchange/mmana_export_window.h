// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/shell/base_window.h"

#include "exchange/mmana.h"

#include <array>

class QComboBox;
class QLabel;
class QLineEdit;

namespace tavora::app {

// Writes the Yagi held in the design state as a MMANA-GAL .maa file, with the
// segmentation, ground and material the user picks.
class MmanaExportWindow : public BaseWindow {
    Q_OBJECT
  public:
    static constexpr QSize kDesignSize{975, 724};

    // From the YO details screen there is no folded dipole geometry to write.
    enum class Dipoles { SingleOrFolded, SingleOnly };

    MmanaExportWindow(QWidget* owner, AppContext& context,
                      Dipoles dipoles = Dipoles::SingleOrFolded);

    void FormActivate() override;

    void FillLabels();
    void RefreshLabels(); // FillLabels, passing over a DM1 that is not (yet) a number
    void Button1Click();  // Save .MAA
    // What the lists and the name box hold, as the file takes them.
    MaaOptions Options() const;

    QComboBox* List(int number) const { return lists_.at(static_cast<size_t>(number - 1)); }

  private:
    QComboBox* AddList(int number, const char* caption, const std::vector<std::string_view>& items,
                       int defaultIndex, QRect label, QRect list, QWidget* parent);

    Dipoles dipoles_;
    std::array<QComboBox*, 9> lists_{};
    QLineEdit* name_;
    QLabel *segment_, *wireDiam_, *segDiam_;
};

} // namespace tavora::app
