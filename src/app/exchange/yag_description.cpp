#include "app/exchange/yag_description.h"

#include "app/shell/app_context.h"
#include "app/shell/dialogs.h"

#include "state/atomic_file.h"
#include "state/design_state.h"
#include "state/errors.h"

namespace tavora::app {

bool AskYagiDescription(QWidget* parent, AppContext& context)
{
    context.dialogs.Beep();
    const auto description = context.dialogs.Prompt(
        parent, QStringLiteral("Yagi description"), QStringLiteral("Describe yagi"),
        QString::fromStdString(context.state.YagiDescription));
    if (!description)
        return false;
    // The reader would take such a line for a comment and lose step.
    if (BeginsWithSemicolon(description->toStdString()))
        throw Error(kSemicolonValue);
    context.state.YagiDescription = description->toStdString();
    return true;
}

} // namespace tavora::app
