// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/shell/base_window.h"

#include "design/entry.h"

#include <optional>
#include <string>

class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;

namespace tavora::app {

class LiveFigures;
class RadioGroup;

// The design entry screen: what the Yagi is to be, kept as typed texts.
class DesignEntryWindow : public BaseWindow {
    Q_OBJECT
  public:
    static constexpr QSize kDesignSize{1245, 929};

    DesignEntryWindow(QWidget* owner, AppContext& context);
    ~DesignEntryWindow() override;

    void ContentsHTML1Click() override;

    // The handlers, public so that tests drive them as the controls do.
    void Edit1Exit();
    void NoteCoax();
    void RadioGroup3Click();
    void RadioGroup4Click();
    void YagiDoCalculate();

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void done(int result) override;

  private:
    struct SizeBoxes {
        QLabel *diamLabel, *widthLabel, *thickLabel;
        QLineEdit *diam, *width, *thick;
    };

    QLineEdit* AddBox(const char* name, const QString& caption, QRect label, QRect box,
                      QWidget* parent);
    SizeBoxes AddSizeBoxes(const char* prefix, int top, QWidget* panel);
    void ShowSizeBoxes(const SizeBoxes& boxes, int shape);
    DesignEntry Entry() const;
    void SetEntry(const DesignEntry& entry);
    void GetValues();
    void SaveValues();

    QLineEdit *frequency_, *directors_, *boom_, *bend_, *gap_;
    RadioGroup *boomType_, *elementShape_, *elementMounting_, *radiatorShape_, *dipoleMounting_;
    SizeBoxes element_{}, radiator_{};
    // The frequency the size boxes were last filled for, and the last one
    // refused, so that leaving the box unchanged does nothing twice.
    std::string bandFrequency_;
    std::optional<std::string> refusedFrequency_;
    QListWidget* coaxList_;
    QLabel* coaxStatus_;
    QPushButton *calculate_, *back_;
    LiveFigures* live_;
};

} // namespace tavora::app
