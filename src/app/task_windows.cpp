#include "app_context.h"
#include "design_yagi.h"
#include "gain_calc.h"
#include "impedance.h"
#include "stacking.h"
#include "swr.h"

// Each task window's header, then one AddTask line below.

namespace tavora::app {

void RegisterWindows(Registry& registry)
{
    registry.AddTask<TYagibaseform7>(TaskId::DesignYagi);
    registry.AddTask<TYagibaseform3>(TaskId::Gain);
    registry.AddTask<TYagibaseform4>(TaskId::Stacking);
    // registry.AddTask<TYagibaseform5>(TaskId::YoFile);
    registry.AddTask<TForm1>(TaskId::Swr);
    registry.AddTask<TForm2>(TaskId::Impedance);
}

} // namespace tavora::app
