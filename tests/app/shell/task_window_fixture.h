// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/shell/base_window.h"

#include "state/design_state.h"

#include <QLineEdit>

namespace tavora::test {

// A minimal task window in the shape of the real ones: fills its box from its
// text group on creation, copies it back when destroyed, keeps only Help.
class SampleTaskWindow : public app::BaseWindow {
    Q_OBJECT
  public:
    static constexpr QSize kDesignSize{1050, 770};
    static inline int alive = 0;

    SampleTaskWindow(QWidget* owner, app::AppContext& context)
        : BaseWindow(owner, context, kDesignSize), edit(new QLineEdit(Client()))
    {
        ++alive;
        setObjectName(QStringLiteral("SampleTask"));
        setWindowTitle(QStringLiteral("Sample"));
        HideMenu(app::BaseMenu::File);
        HideMenu(app::BaseMenu::Task);
        edit->setObjectName(QStringLiteral("Edit1"));
        edit->setGeometry(100, 200, 150, 21);
        edit->setText(QString::fromStdString(context.state.GainValues[0]));
    }
    ~SampleTaskWindow() override
    {
        Context().state.GainValues[0] = edit->text().toStdString();
        --alive;
    }
    using BaseWindow::HideMenu;
    using BaseWindow::On;

    QLineEdit* edit;
};

// One that keeps the whole menu bar, as the MMANA-GAL export does.
class FullMenuTaskWindow : public app::BaseWindow {
  public:
    FullMenuTaskWindow(QWidget* owner, app::AppContext& context) : BaseWindow(owner, context)
    {
        setObjectName(QStringLiteral("FullMenuTask"));
    }
};

} // namespace tavora::test
