// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/exchange/yag_description.h"

#include "app/shell/app_context.h"
#include "app/shell/dialogs.h"

#include "state/atomic_file.h"
#include "state/box_names.h"
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
    // Refused before it is kept: the reader would take a first ";" for a
    // comment, and a line break would add a line to the file.
    CheckValueLine(description->toStdString(), kDescriptionBox);
    context.state.YagiDescription = description->toStdString();
    return true;
}

} // namespace tavora::app
