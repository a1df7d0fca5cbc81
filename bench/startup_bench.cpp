// SPDX-License-Identifier: GPL-3.0-or-later
// Start-up of the Qt program to its first shown main window, without a
// screen. The first run in a process pays for the platform plugin and the
// fonts; later ones show what a window alone costs.

#include "app/shell/app_context.h"
#include "app/shell/qt_dialogs.h"
#include "app/shell/error_handler.h"
#include "app/shell/fonts.h"
#include "app/shell/main_window.h"
#include "shell/startup.h"
#include "state/design_state.h"

#include <QElapsedTimer>
#include <QWindow>

#include <benchmark/benchmark.h>

#include <sys/resource.h>

#include <memory>

namespace {

double PeakMegabytes()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss / 1024.0; // kilobytes on Linux
}

void ShowAndWait(QWidget& window)
{
    window.show();
    while (window.windowHandle() == nullptr || !window.windowHandle()->isExposed())
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    QCoreApplication::processEvents();
}

struct Program {
    tavora::DesignState state;
    tavora::app::QtDialogs dialogs;
    tavora::app::Registry registry;
    tavora::app::AppContext context{state, dialogs, registry};
    Program()
    {
        tavora::shell::InitialiseProgram(state);
        tavora::app::RegisterWindows(registry);
    }
};

double coldStartSeconds = 0;
double coldPeakMegabytes = 0;

void ColdStartToFirstMainWindow(benchmark::State& run)
{
    for (auto _ : run)
        run.SetIterationTime(coldStartSeconds);
    run.counters["peak_MB"] = coldPeakMegabytes;
}
BENCHMARK(ColdStartToFirstMainWindow)
    ->UseManualTime()
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond);

void MainWindowCreatedAndShown(benchmark::State& run)
{
    Program program;
    for (auto _ : run) {
        tavora::app::MainWindow window(program.context);
        ShowAndWait(window);
    }
    run.counters["peak_MB"] = PeakMegabytes();
}
BENCHMARK(MainWindowCreatedAndShown)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QElapsedTimer clock;
    clock.start();
    // The program's own start-up order, up to the first shown main window.
    auto program = std::make_unique<Program>();
    tavora::app::TavoraApplication application(argc, argv);
    application.SetDialogs(&program->dialogs);
    tavora::app::InstallFontSubstitutes();
    {
        tavora::app::MainWindow window(program->context);
        ShowAndWait(window);
        coldStartSeconds = clock.nsecsElapsed() / 1e9;
        coldPeakMegabytes = PeakMegabytes();
    }

    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
