// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QGroupBox>
#include <QStringList>

#include <vector>

class QRadioButton;

namespace tavora::app {

// A captioned group of radio buttons chosen by item index, laid out at fixed
// design positions so that the form scaler can move them like any control.
class RadioGroup : public QGroupBox {
    Q_OBJECT
  public:
    RadioGroup(const QString& name, const QString& caption, const QStringList& items, const QRect& geometry,
               QWidget* parent);

    int ItemIndex() const;
    // Selects an item without counting as a click; past the end selects the last.
    void SetItemIndex(int index);
    // Leaves no item selected, as a stored "-1" asks.
    void SelectNone();
    QRadioButton* Item(int index) const { return buttons_.at(static_cast<size_t>(index)); }
    int Count() const { return static_cast<int>(buttons_.size()); }

  signals:
    // The user chose an item.
    void Clicked(int index);

  private:
    std::vector<QRadioButton*> buttons_;
};

} // namespace tavora::app
