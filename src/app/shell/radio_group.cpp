// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/shell/radio_group.h"

#include <QRadioButton>

#include <algorithm>

namespace tavora::app {

RadioGroup::RadioGroup(const QString& name, const QString& caption, const QStringList& items, const QRect& geometry,
                       QWidget* parent)
    : QGroupBox(caption, parent)
{
    setObjectName(name);
    setGeometry(geometry);
    const int top = 24;
    const int step = std::max(20, (geometry.height() - top - 6) / std::max<int>(1, items.size()));
    for (int i = 0; i < items.size(); ++i) {
        auto* button = new QRadioButton(items[i], this);
        button->setObjectName(QStringLiteral("%1Item%2").arg(name).arg(i));
        button->setGeometry(12, top + i * step, geometry.width() - 20, std::min(step, 28));
        connect(button, &QRadioButton::clicked, this, [this, i] { emit Clicked(i); });
        buttons_.push_back(button);
    }
}

int RadioGroup::ItemIndex() const
{
    for (size_t i = 0; i < buttons_.size(); ++i)
        if (buttons_[i]->isChecked())
            return static_cast<int>(i);
    return -1;
}

void RadioGroup::SetItemIndex(int index)
{
    if (buttons_.empty())
        return;
    buttons_[static_cast<size_t>(std::clamp(index, 0, Count() - 1))]->setChecked(true);
}

void RadioGroup::SelectNone()
{
    // Exclusive buttons refuse to uncheck the last checked one.
    for (QRadioButton* button : buttons_) {
        button->setAutoExclusive(false);
        button->setChecked(false);
        button->setAutoExclusive(true);
    }
}

} // namespace tavora::app
