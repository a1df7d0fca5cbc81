#include "app/simulation/simulation_window.h"

#include "app/shell/tool_widgets.h"

#include "simulation/touchstone.h"
#include "state/atomic_file.h"

#include <QComboBox>
#include <QDir>
#include <QPushButton>

namespace tavora::app {

void SimulationWindow::AddExportButtons(QWidget* c)
{
    const auto button = [c](const char* name, const char* caption, int left) {
        return AddButton(name, QString::fromUtf8(caption), {left, 121, 165, 32}, c);
    };
    saveCsv_ = button("SaveCsv", "Sav&e CSV", 720);
    saveS1p_ = button("SaveTouchstone", "Save Touchst&one", 892);
    saveNec_ = button("SaveNecDeck", "Save &NEC deck", 1064);
    On(saveCsv_, &QPushButton::clicked, [this] { SaveCsv(); });
    On(saveS1p_, &QPushButton::clicked, [this] { SaveTouchstone(); });
    On(saveNec_, &QPushButton::clicked, [this] { SaveNecDeck(); });
}

void SimulationWindow::SaveText(const char* title, const char* extension, const char* filter,
                                const std::string& text)
{
    const QString path = Context().dialogs.SaveFile(
        this,
        {QString::fromUtf8(title), QString::fromUtf8(extension), QString::fromUtf8(filter),
         QDir::current().filePath(QStringLiteral("Simulation.") + QString::fromUtf8(extension))});
    if (path.isEmpty())
        return;
    WriteFileAtomically(path.toStdString(), text);
    Context().dialogs.Beep();
    Context().dialogs.Notice(this, QStringLiteral("File saved"));
}

void SimulationWindow::SaveCsv()
{
    if (result_)
        SaveText("Save simulation as CSV", "csv", "CSV files (*.csv);;All files (*.*)",
                 SimulationCsv(*result_));
}

void SimulationWindow::SaveTouchstone()
{
    if (result_)
        SaveText("Save Touchstone file", "s1p", "Touchstone files (*.s1p);;All files (*.*)",
                 TouchstoneS1p(*result_));
}

// The deck needs no run: the model of the chosen driven element, as the
// command line's `design --nec` writes it.
void SimulationWindow::SaveNecDeck()
{
    const Feed feed = dipole_->currentIndex() == 0 ? Feed::SingleDipole : Feed::FoldedDipole;
    const std::string deck = ExportDeck(source_(feed));
    SaveText("Save NEC deck", "nec", "NEC-2 decks (*.nec);;All files (*.*)", deck);
}

} // namespace tavora::app
