// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <cstddef>
#include <functional>
#include <memory>

class QWidget;

namespace tavora {
struct DesignState;
}

namespace tavora::app {

class Dialogs;
class BaseWindow;
struct AppContext;

// The Task menu's entries, in menu order.
enum class TaskId { DesignYagi, Gain, Stacking, YoFile, Swr, Impedance };
inline constexpr std::size_t kTaskCount = 6;

using TaskFactory = std::function<std::unique_ptr<BaseWindow>(QWidget* owner, AppContext&)>;

// Which window each Task entry opens. An entry with nothing registered
// stays disabled.
struct Registry {
    std::array<TaskFactory, kTaskCount> tasks;

    template <class Window> void AddTask(TaskId id)
    {
        tasks[static_cast<std::size_t>(id)] = [](QWidget* owner, AppContext& context) {
            return std::unique_ptr<BaseWindow>(std::make_unique<Window>(owner, context));
        };
    }
    const TaskFactory& Task(TaskId id) const { return tasks[static_cast<std::size_t>(id)]; }
};

// The program's windows and what they share, for the whole run.
struct AppContext {
    DesignState& state;
    Dialogs& dialogs;
    const Registry& registry;
};

// Fills the registry with the program's windows: the one list to extend when
// a task window is added.
void RegisterWindows(Registry& registry);

} // namespace tavora::app
