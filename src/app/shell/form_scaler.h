// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "shell/resize_kit.h"

#include <QObject>
#include <QPointer>
#include <QStringList>

#include <functional>
#include <vector>

class QWidget;

namespace tavora::app {

// The form scaler: records every control of a window's client area at load
// and lays them out again, in proportion, whenever the client area is resized.
class FormScaler : public QObject {
    Q_OBJECT
  public:
    FormScaler(QWidget* form, QWidget* client, shell::DesignFrame design);

    shell::FormPos FormPos = shell::FormPos::rpMiddleCenter;
    int FormWidth = 0;
    int FormHeight = 0;
    bool ResizeFont = true;
    bool Enabled = true;
    QStringList NoResizeFntCtl;
    QStringList NoResizeCtl;
    std::function<void(double xScale, double yScale)> OnExitResize;

    // Records the controls, converted to the screen's density; only the
    // first call does anything.
    void Load();
    // The proportional layout for a client area of this size; loads first
    // when that has not happened yet.
    void Apply(int width, int height);
    const shell::Factors& LastFactors() const { return last_; }
    const shell::DesignFrame& Design() const { return design_; }

    // The controls the scaler looks after, parents before children.
    static std::vector<QWidget*> Controls(QWidget* client);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    struct Record {
        QPointer<QWidget> widget;
        shell::Bounds design;
        shell::Bounds applied;
        bool ownFont = false;
        bool pixelFont = false;
        int fontSize = 0;
        int appliedFont = 0;
    };

    Record MakeRecord(QWidget* control, const shell::Bounds& design) const;
    void SyncRecords();
    void PlaceOnFirstShow();

    QWidget* form_;
    QWidget* client_;
    shell::DesignFrame design_;
    double dpiX_ = 96;
    double dpiY_ = 96;
    bool loaded_ = false;
    bool shown_ = false;
    bool windowPixelFont_ = false;
    int windowFontSize_ = 0;
    int addedCount_ = 0;
    shell::Factors last_;
    std::vector<Record> records_;
};

// The font size a scaler works with: pixels when the font was given in pixels.
int FontSizeOf(const QFont& font);
void SetFontSize(QFont& font, int size, bool pixels);

} // namespace tavora::app
