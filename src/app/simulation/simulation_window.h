// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/shell/base_window.h"
#include "app/simulation/simulation_page.h"

#include "simulation/simulation.h"
#include "state/design_state.h"

#include <QFutureWatcher>

#include <atomic>
#include <functional>
#include <optional>
#include <vector>

class QComboBox;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QTabWidget;

namespace tavora::app {

class SweepPage;

// The NEC-2 simulation of a design or an existing Yagi: a page per question
// asked of the engine, and what they share. One job runs at a time, off the
// window's thread, with the progress bar and Cancel; it opens on the sweep,
// which starts as the window opens.
class SimulationWindow : public BaseWindow, public PageHost {
    Q_OBJECT
  public:
    static constexpr QSize kDesignSize{1240, 860};

    SimulationWindow(QWidget* owner, AppContext& context, ModelSource source);
    ~SimulationWindow() override;

    // The designed Yagi in the state, and an existing one from the YO entry group.
    static ModelSource FromDesign(const DesignState& state);
    // The design the entry screen's values give, calculated as each run asks
    // for it: a run refused names the box, as Calculate does.
    static ModelSource FromDesignEntry(const DesignState& state, char decimalSep);
    static ModelSource FromYoEntries(const YoEntryTexts& entries, char decimalSep);

    void Cancel(); // "Cancel": no engine process outlives it
    void PrintIt();
    void SavePicture();
    void SaveCsv(); // the page shown, as the command line's --csv
    bool Running() const;
    // The sweep page's figures.
    const std::optional<SimulationResult>& Result() const;

    // For the pages.
    void AddPage(SimulationPage* page);
    // Before the window shows, this also keeps the sweep from starting.
    void ShowPage(const QString& objectName);
    SimulationPage* CurrentPage() const;
    Feed ChosenFeed() const override;
    const ModelSource& Source() const override { return source_; }
    NecModel Model() const override;
    SimulationSettings Settings() const override;
    bool Run(const QString& status, int steps, JobWork work) override;
    void Guard(const std::function<void()>& action) override;
    void SaveText(const char* title, const char* extension, const char* filter,
                  const std::string& text) override;

  protected:
    void showEvent(QShowEvent* event) override;
    void reject() override;

  private:
    // The page's file name without extension, proposed by every save and print.
    QString FileName() const;
    // The page shown, under its title, design, date and page count.
    void DrawFramed(QPainter& painter, const QRectF& area, char decimalSep) const;
    void Finished();
    void SetRunning(bool running);

    ModelSource source_;
    // What a job gives back to the window's thread.
    struct Outcome {
        JobResult show;
        std::string error;
        bool cancelled = false;
    };

    std::atomic<bool> stop_{false};
    QFutureWatcher<Outcome> watcher_;
    bool started_ = false;

    QComboBox* dipole_;
    QLineEdit* z0_;
    QProgressBar* progress_;
    QLabel* status_;
    QTabWidget* pages_;
    SweepPage* sweep_;
    std::vector<SimulationPage*> allPages_;
    QPushButton *cancel_, *print_, *save_, *saveCsv_, *back_;
};

} // namespace tavora::app
