#pragma once

#include "app/shell/base_window.h"

#include "simulation/simulation.h"

#include <QFutureWatcher>

#include <atomic>
#include <functional>
#include <memory>
#include <optional>

class QComboBox;
class QLabel;
class QLineEdit;
class QTableWidget;
class QProgressBar;
class QPushButton;

namespace tavora::app {

// Builds the model for the chosen dipole; runs on the window's thread and
// throws the design's own errors.
using ModelSource = std::function<NecModel(Feed)>;

// The NEC-2 simulation of a design or an existing Yagi: the engine runs off
// the window's thread with a progress bar and Cancel; then the figures beside
// the DL6WU estimates, both pattern cuts and the sweep.
class SimulationWindow : public BaseWindow {
    Q_OBJECT
  public:
    static constexpr QSize kDesignSize{1240, 860};

    SimulationWindow(QWidget* owner, AppContext& context, ModelSource source);
    ~SimulationWindow() override;

    // The designed Yagi in the state, and an existing one from the YO entry group.
    static ModelSource FromDesign(const DesignState& state);
    static ModelSource FromYoEntries(const YoEntryTexts& entries, char decimalSep);

    void Start();  // "Simulate"
    void Cancel(); // "Cancel": no engine process outlives it
    void PrintIt();
    void SavePicture();
    // The exports of simulation_exports.cpp.
    void SaveCsv();        // as `simulate --csv`
    void SaveTouchstone(); // .s1p, S11 against the SWR reference
    void SaveNecDeck();    // as `design --nec`

    bool Running() const;
    const std::optional<SimulationResult>& Result() const { return result_; }

  protected:
    void showEvent(QShowEvent* event) override;
    void reject() override;

  private:
    void Finished();
    void SetRunning(bool running);
    void AddExportButtons(QWidget* client);
    void SaveText(const char* title, const char* extension, const char* filter,
                  const std::string& text);

    ModelSource source_;
    // What a run gives back to the window's thread.
    struct Outcome {
        std::optional<SimulationResult> result;
        std::string error;
        bool cancelled = false;
    };

    std::optional<SimulationResult> result_;
    std::atomic<bool> stop_{false};
    QFutureWatcher<Outcome> watcher_;
    bool started_ = false;

    QComboBox* dipole_;
    QLineEdit* z0_;
    QProgressBar* progress_;
    QLabel* status_;
    QLabel* notes_;
    QTableWidget* figures_;
    QTableWidget* sweep_;
    QWidget* plots_;
    QPushButton *simulate_, *cancel_, *print_, *save_, *back_;
    QPushButton *saveCsv_ = nullptr, *saveS1p_ = nullptr, *saveNec_ = nullptr;
};

} // namespace tavora::app
