// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "nec/model.h"
#include "simulation/simulation.h"

#include <QGroupBox>
#include <QWidget>
#include <QThreadPool>
#include <QTimer>

#include <atomic>
#include <functional>
#include <memory>

class QComboBox;
class QLabel;
class QTableWidget;

namespace tavora::app {

// The simulated figures of what an entry screen holds now, beside its boxes:
// they follow typing once it pauses, the error bars after them. A run is
// abandoned, its engine ended, as soon as the boxes change again, and only one
// runs at a time. Unticking the panel's title hides it and stops its runs.
class LiveFigures : public QWidget {
    Q_OBJECT
  public:
    // Reads the screen's boxes into the model for the chosen dipole, refused
    // as Calculate refuses it; runs on the window's thread.
    using Source = std::function<NecModel(Feed)>;
    // How long typing must pause before a run starts.
    static constexpr int kPauseMs = 150;

    LiveFigures(QWidget* parent, QRect geometry, Source source);
    ~LiveFigures() override;

    // Every box and choice among `screen`'s children restarts the pause.
    void Follow(QWidget* screen);
    void InputsChanged();
    // A pause or a run is under way.
    bool Busy() const;

  private:
    void Start();
    void Stop();
    void ShowResult(const SimulationResult& result, bool bars);
    void ShowMessage(const QString& text);
    void SetStatus(const QString& text);

    Source source_;
    QTimer pause_;
    QThreadPool pool_; // one thread: one engine at most
    std::shared_ptr<std::atomic<bool>> stop_;
    int generation_ = 0; // the inputs' version a run must match to be shown
    int running_ = 0;
    bool across_ = false; // the figures in a row under their captions
    QGroupBox* box_;
    QComboBox* dipole_;
    QLabel* status_;
    QTableWidget* figures_;
    QLabel* notes_;
};

} // namespace tavora::app
