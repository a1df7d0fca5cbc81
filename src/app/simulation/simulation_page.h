#pragma once

#include "app/shell/user_locale.h"

#include "nec/runner.h"

#include <QPainter>
#include <QRectF>
#include <QString>
#include <QWidget>

#include <functional>
#include <optional>
#include <string>
#include <vector>

class QLabel;
class QPushButton;
class QTableWidget;

namespace tavora::app {

class SimulationWindow;

// What a page's long work hands back: run on the window's thread, it shows
// the results on the page.
using JobResult = std::function<void()>;
// A page's long work, run off the window's thread. `control` carries the
// window's one progress bar and Cancel; the work may throw Error (shown by
// the general handler) or SimulationCancelled.
using JobWork = std::function<JobResult(const RunControl& control)>;

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
    explicit SimulationPage(SimulationWindow& window);

    virtual QString Title() const = 0;          // the tab's caption
    virtual QPushButton* RunButton() const = 0; // what Enter presses on this page
    virtual bool HasResult() const = 0;
    // The whole page for the printer, a PDF or a PNG, drawn by one routine.
    virtual void DrawPage(QPainter& painter, const QRectF& page, char decimalSep) const = 0;
    // The figures for a spreadsheet, as the command line's --csv writes them.
    virtual std::string Csv() const = 0;
    // While a job runs, nothing that starts another or reads the results.
    virtual void SetRunning(bool running);
    // After the window's scaler changed the fonts: tables refit their columns.
    virtual void Rescaled() {}

  protected:
    SimulationWindow& Window() const { return window_; }

  private:
    SimulationWindow& window_;
};

// A page whose job gives one `R`: the printout and the CSV are drawn and
// written from it by the routines the command line's output comes from too.
template <class R> class ResultPage : public SimulationPage {
  public:
    using DrawFn = void (*)(QPainter&, const QRectF&, const R&, char decimalSep);
    using CsvFn = std::string (*)(const R&);
    ResultPage(SimulationWindow& window, DrawFn draw, CsvFn csv)
        : SimulationPage(window), draw_(draw), csv_(csv)
    {
    }

    bool HasResult() const override { return result_.has_value(); }
    void DrawPage(QPainter& painter, const QRectF& page, char decimalSep) const override
    {
        if (result_)
            draw_(painter, page, *result_, decimalSep);
    }
    std::string Csv() const override { return result_ ? csv_(*result_) : std::string(); }
    const std::optional<R>& Result() const { return result_; }

  protected:
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
// One row per line, one cell per tab-separated text; the first line labels
// the columns when `heading`.
void FillTable(QTableWidget* table, const std::vector<std::string>& lines, bool heading);
// Empty, without the numbered column headings an empty table would show.
void ClearTable(QTableWidget* table);
void FitColumns(QTableWidget* table);
// A table of figures as wide as its rows, so that a figure and its comparison
// beside it both show; the pictures beside it take what is left.
void WidenToRows(QTableWidget* table);
// A page's figure lines shown: the sentences (no tab) in `notes`, one under
// the other, the rows in `figures`.
void ShowFigureLines(const std::vector<std::string>& lines, QLabel* notes, QTableWidget* figures);

} // namespace tavora::app
