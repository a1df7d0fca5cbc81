// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/shell/user_locale.h"

#include "simulation/simulation.h"
#include "state/design_state.h"
#include "text/result_text.h"

#include <QPainter>
#include <QRectF>
#include <QString>
#include <QWidget>

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

class QLabel;
class QPushButton;
class QTableWidget;

namespace tavora::app {

// Builds the model for the chosen dipole; runs on the window's thread and
// throws the design's own errors. `design` gives the DL6WU design the model
// comes from, calculated, for a question that changes the design itself; an
// existing Yagi has none.
struct ModelSource {
    std::function<NecModel(Feed)> model;
    std::function<DesignState()> design;
    NecModel operator()(Feed feed) const { return model(feed); }
};

// What a page's long work hands back: run on the window's thread, it shows
// the results on the page.
using JobResult = std::function<void()>;
// A page's long work, run off the window's thread. `control` carries the
// window's one progress bar and Cancel; the work may throw Error (shown by
// the general handler) or SimulationCancelled.
using JobWork = std::function<JobResult(const RunControl& control)>;

// What a page asks of the window that holds it: the boxes every page shares,
// one job at a time with the progress bar and Cancel, the general error
// handler, and saving a file.
class PageHost {
  public:
    virtual Feed ChosenFeed() const = 0;
    virtual const ModelSource& Source() const = 0;
    // The chosen model, refused as a run would be with the shared settings.
    virtual NecModel Model() const = 0;
    virtual SimulationSettings Settings() const = 0;
    // Runs `work` off the window's thread with the progress bar (counting
    // `steps` until the work reports its own total) and Cancel; what it gives
    // back runs on the window's thread. False, and nothing started, while
    // another job runs.
    virtual bool Run(const QString& status, int steps, JobWork work) = 0;
    // `action` under the general error handler.
    virtual void Guard(const std::function<void()>& action) = 0;
    // Asks where, writes whole or not at all, and says so.
    virtual void SaveText(const char* title, const char* extension, const char* filter,
                          const std::string& text) = 0;

  protected:
    ~PageHost() = default;
};

// One question asked of the engine, shown as a page of the simulation window:
// its own boxes and run button, its figures and pictures. The window keeps
// what every page shares: the driven element and SWR reference boxes, the
// progress bar and status, Cancel, Print, Save picture, Save CSV and Back,
// all acting on the page shown.
// Access keys the window and the sweep page take: S C P V E B O N, and H for
// the Help menu; a page's buttons take letters of their own.
class SimulationPage : public QWidget {
    Q_OBJECT
  public:
    explicit SimulationPage(PageHost& host);

    virtual QString Title() const = 0;          // the tab's caption
    virtual QPushButton* RunButton() const = 0; // what Enter presses on this page
    virtual bool HasResult() const = 0;
    // The whole page for the printer, a PDF or a PNG, drawn by one routine.
    virtual void DrawPage(QPainter& painter, const QRectF& page, char decimalSep) const = 0;
    // The figures for a spreadsheet, as the command line's --csv writes them.
    virtual CsvTables Csv() const = 0;
    // While a job runs, nothing that starts another or reads the results.
    virtual void SetRunning(bool running);
    // After the window's scaler changed the fonts: tables refit their columns.
    virtual void Rescaled() {}

  protected:
    PageHost& Host() const { return host_; }

  private:
    PageHost& host_;
};

// A page whose question gives one `R`: the printout and the CSV are drawn and
// written from it by the routines the command line's output comes from too.
template <class R> class ResultPage : public SimulationPage {
  public:
    using DrawFn = void (*)(QPainter&, const QRectF&, const R&, char decimalSep);
    using CsvFn = CsvTables (*)(const R&);
    ResultPage(PageHost& host, DrawFn draw, CsvFn csv)
        : SimulationPage(host), draw_(draw), csv_(csv)
    {
    }

    bool HasResult() const override { return result_.has_value(); }
    void DrawPage(QPainter& painter, const QRectF& page, char decimalSep) const override
    {
        if (result_)
            draw_(painter, page, *result_, decimalSep);
    }
    CsvTables Csv() const override { return result_ ? csv_(*result_) : CsvTables(); }
    const std::optional<R>& Result() const { return result_; }

  protected:
    // Every question the same way: refused before anything starts, then run
    // off the window's thread with the bar counting its RunSize. The page
    // clears once the run is under way (a run refused leaves the last
    // result) and shows the result when it comes.
    template <class Model, class Settings>
    void Ask(const QString& status, Model model, Settings settings)
    {
        Refuse(settings, model, UserDecimalSep());
        const int steps = RunSize(settings, model);
        const bool started = Host().Run(
            status, steps, [this, model, settings](const RunControl& control) -> JobResult {
                auto result = std::make_shared<R>(Run(model, settings, control));
                return [this, result] {
                    result_ = std::move(*result);
                    Show();
                };
            });
        if (!started)
            return;
        result_.reset();
        Clear();
    }
    // The result on the page's labels, tables and pictures; all of them empty.
    virtual void Show() = 0;
    virtual void Clear() = 0;

    std::optional<R> result_;

  private:
    DrawFn draw_;
    CsvFn csv_;
};

// A page's pictures on the screen: a white area that draws the page's result,
// once there is one, with the routine the printout uses too.
template <class Result> class ResultPicture : public QWidget {
  public:
    using Draw = void (*)(QPainter&, const QRectF&, const Result&, char decimalSep);
    ResultPicture(QWidget* parent, const char* name, const std::optional<Result>& result, Draw draw)
        : QWidget(parent), result_(result), draw_(draw)
    {
        setObjectName(QString::fromUtf8(name));
    }

  protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter painter(this);
        painter.fillRect(rect(), Qt::white);
        if (result_)
            draw_(painter, QRectF(rect()).adjusted(4, 4, -4, -4), *result_, UserDecimalSep());
    }

  private:
    const std::optional<Result>& result_;
    Draw draw_;
};

// Tables of figures as the pages show them: read-only, without a grid or row
// numbers, every column as wide as its text.
QTableWidget* AddFigureTable(const char* name, QWidget* parent);
// A row of cells each; the column heads over them, or none.
using Cells = std::vector<std::string>;
void FillTable(QTableWidget* table, const std::vector<Cells>& rows, const Cells* heads = nullptr);
// Empty, without the numbered column headings an empty table would show.
void ClearTable(QTableWidget* table);
void FitColumns(QTableWidget* table);
// A table of figures as wide as its rows, so that a figure and its comparison
// beside it both show; the pictures beside it take what is left.
void WidenToRows(QTableWidget* table);
// A table of a result: its column heads, its rows, then its summary rows.
void FillTable(QTableWidget* table, const TextTable& text);
// A result's sentences in `notes`, one under the other: its heading, its
// notes and the figure rows without a label; the other figure rows in
// `figures`, a cell each for the label, the figure and what is beside it.
void ShowFigures(const ResultText& text, QLabel* notes, QTableWidget* figures);

} // namespace tavora::app
