// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/exchange/conversion_dialog.h"

#include "app/shell/app_context.h"
#include "app/shell/base_window.h"
#include "app/shell/form_scaler.h"
#include "app/shell/help_window.h"
#include "app/shell/radio_group.h"
#include "app/shell/tool_widgets.h"
#include "app/shell/user_locale.h"

#include "exchange/mounting.h"
#include "exchange/yo_details.h"
#include "state/design_state.h"

#include <QEvent>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QShortcut>

namespace tavora::app {

namespace {

const QStringList kMountings{QStringLiteral("  through metal boom"),
                             QStringLiteral("  insulated/through metal boom"),
                             QStringLiteral("  non-metallic boom")};

QLabel* BlueLabel(const char* name, const QString& text, QRect geometry, QWidget* parent)
{
    QLabel* label = AddLabel(name, text, geometry, parent);
    QFont font = label->font();
    font.setPixelSize(16);
    label->setFont(font);
    label->setStyleSheet(QStringLiteral("color: blue"));
    return label;
}

} // namespace

ConversionDialog::ConversionDialog(QWidget* owner, AppContext& context)
    : QDialog(owner), context_(context)
{
    setObjectName(QStringLiteral("ConvertYagi"));
    setWindowTitle(QStringLiteral("ConvertYagi"));
    // A fixed single border with a title and no border icons: no close box.
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::MSWindowsFixedSizeDialogHint);
    setFixedSize(kDesignSize);
    setAutoFillBackground(true);
    QPalette cream = palette();
    cream.setColor(QPalette::Window, QColor(255, 251, 240));
    setPalette(cream);
    QFont sans(QStringLiteral("MS Sans Serif"));
    sans.setPixelSize(11);
    setFont(sans);

    BlueLabel("Label1", QStringLiteral("Conversion of yagi "), {20, 12, 380, 26}, this);
    BlueLabel("Label2", QStringLiteral("From"), {10, 50, 198, 24}, this);
    BlueLabel("Label3", QStringLiteral("To"), {210, 50, 198, 24}, this);
    from_ = new RadioGroup(QStringLiteral("RadioGroup1"), QStringLiteral("Reflector/Directors"),
                           kMountings, {10, 78, 198, 120}, this);
    to_ = new RadioGroup(QStringLiteral("RadioGroup2"), QStringLiteral("Reflector/Directors "),
                         kMountings, {210, 78, 198, 120}, this);
    // The conversion starts from the stored mounting, whatever this group
    // shows; so it only shows it and takes no clicks.
    for (int i = 0; i < from_->Count(); ++i) {
        from_->Item(i)->setAttribute(Qt::WA_TransparentForMouseEvents);
        from_->Item(i)->setFocusPolicy(Qt::NoFocus);
    }
    auto* convert = AddButton("Button1", QStringLiteral("&Convert"), {60, 226, 120, 40}, this);
    auto* cancel = AddButton("Button2", QStringLiteral("C&ancel"), {238, 226, 120, 40}, this);

    // GetItStarted
    const int from = ChoiceIndex(context.state.YoEntry[yo::kMounting - 1], from_->Count());
    if (from < 0)
        from_->SelectNone();
    else
        from_->SetItemIndex(from);
    to_->SetItemIndex(static_cast<int>(Mounting::NonMetal));

    connect(convert, &QPushButton::clicked, this,
            [this] { Guarded(context_.dialogs, this, [this] { DoTheConversion(); }); });
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(new QShortcut(Qt::Key_F1, this), &QShortcut::activated, this, [this] {
        context_.dialogs.Help(this, TopicRequest(context_.state, shell::HelpTopic::Conversion));
    });

    resizeKit_ = new FormScaler(this, this, {kDesignSize.width(), kDesignSize.height(), 96, 96});
    resizeKit_->FormPos = shell::FormPos::rpDefault;
}

bool ConversionDialog::event(QEvent* event)
{
    // Without a window manager nobody else hands a new window the focus.
    if (event->type() == QEvent::Show)
        activateWindow();
    return QDialog::event(event);
}

void ConversionDialog::DoTheConversion()
{
    tavora::DoTheConversion(context_.state.YoEntry, static_cast<Mounting>(to_->ItemIndex()),
                            UserDecimalSep());
    accept();
}

} // namespace tavora::app
