#include "app_context.h"
#include "design_yagi.h"
#include "dialogs.h"

#include "state/data_file.h"
#include "state/design_state.h"

// Each task window's header, then one AddTask line below.

namespace tavora::app {

void RegisterWindows(Registry& registry) {
    registry.AddTask<TYagibaseform7>(TaskId::DesignYagi);
    // registry.AddTask<TYagibaseform3>(TaskId::Gain);
    // registry.AddTask<TYagibaseform4>(TaskId::Stacking);
    // registry.AddTask<TYagibaseform5>(TaskId::YoFile);
    // registry.AddTask<TForm1>(TaskId::Swr);
    // registry.AddTask<TForm2>(TaskId::Impedance);
    registry.saveData = [](QWidget* window, AppContext& context) {
        WriteDataFile(context.state);
        context.dialogs.Beep();
        context.dialogs.Notice(window, QString::fromUtf8(kProgramDataSaved));
    };
    registry.recoverData = [](QWidget* window, AppContext& context) {
        const bool found = ReadDataFile(context.state);
        context.dialogs.Beep();
        context.dialogs.Notice(window, QString::fromUtf8(found ? kOldDataReloaded : kNoDataFile));
    };
}

} // namespace tavora::app
