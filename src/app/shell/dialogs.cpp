#include "app/shell/dialogs.h"

namespace tavora::app {

QString ProposedFileName(const QString& text, const QString& extension)
{
    return text.trimmed() + QLatin1Char('.') + extension;
}

} // namespace tavora::app
