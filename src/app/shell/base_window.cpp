// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/shell/base_window.h"

#include "app/shell/about_box.h"
#include "app/shell/form_scaler.h"
#include "app/shell/help_window.h"
#include "app/shell/user_locale.h"
#include "shell/resize_kit.h"
#include "shell/startup.h"
#include "state/data_file.h"
#include "state/design_state.h"

#include <QAbstractSpinBox>
#include <QComboBox>
#include <QDir>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QResizeEvent>
#include <QShortcut>
#include <QTimer>

namespace tavora::app {

namespace {

constexpr int kHeadingHeight = 34;
constexpr int kVersionHeight = 26;

} // namespace

QFont ComicFont(int pixels)
{
    QFont font(QStringLiteral("Comic Sans MS"));
    font.setPixelSize(pixels);
    return font;
}

BaseWindow::BaseWindow(QWidget* owner, AppContext& context, QSize designSize)
    : QDialog(owner), context_(context), menuBar_(new QMenuBar(this)), client_(new QWidget(this))
{
    setObjectName(QStringLiteral("Yagibaseform"));
    client_->setObjectName(QStringLiteral("Client"));
    client_->setAutoFillBackground(true);
    QPalette cream = client_->palette();
    cream.setColor(QPalette::Window, QColor(255, 251, 240));
    client_->setPalette(cream);
    QFont sans(QStringLiteral("MS Sans Serif"));
    sans.setPixelSize(11);
    client_->setFont(sans);
    setSizeGripEnabled(false);

    QPalette blue;
    blue.setColor(QPalette::WindowText, Qt::blue);

    heading_ = new QLabel(QStringLiteral("Tavora  "), client_);
    heading_->setObjectName(QStringLiteral("Label1"));
    heading_->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    heading_->setFont(ComicFont(21));
    heading_->setPalette(blue);
    heading_->setGeometry(0, 0, designSize.width(), kHeadingHeight);

    versionLine_ = new QLabel(QString::fromUtf8(shell::kVersionLine), client_);
    versionLine_->setObjectName(QStringLiteral("VersionLabel"));
    versionLine_->setFont(ComicFont(15));
    versionLine_->setPalette(blue);
    versionLine_->setGeometry(0, designSize.height() - kVersionHeight, designSize.width(),
                              kVersionHeight);

    BuildMenus();
    On(new QShortcut(Qt::Key_F1, this), &QShortcut::activated,
       [this] { context_.dialogs.Help(this, TopicRequest(context_.state, helpTopic_)); });
    resizeKit_ = new FormScaler(this, client_, {designSize.width(), designSize.height(), 96, 96});
    // The derived window adds its controls next; the scaler records them all
    // when it loads, at the first shrink, resize or show.
    resize(designSize.width(), designSize.height() + menuBar_->sizeHint().height());
    LayOut();
}

BaseWindow::~BaseWindow() = default;

QAction* BaseWindow::AddEntry(QMenu* menu, const char* caption, const char* name,
                              void (BaseWindow::*handler)())
{
    QAction* action = menu->addAction(QString::fromUtf8(caption));
    action->setObjectName(QString::fromUtf8(name));
    On(action, &QAction::triggered, [this, handler] { (this->*handler)(); });
    return action;
}

void BaseWindow::BuildMenus()
{
    menuBar_->setObjectName(QStringLiteral("MainMenu1"));
    fileMenu_ = menuBar_->addMenu(QStringLiteral("&File"));
    fileMenu_->setObjectName(QStringLiteral("File1"));
    AddEntry(fileMenu_, "&Save data", "Save1", &BaseWindow::Save_Data);
    AddEntry(fileMenu_, "&Recover data", "SaveAs1", &BaseWindow::Recoverdata);
    fileMenu_->addSeparator()->setObjectName(QStringLiteral("N1"));
    AddEntry(fileMenu_, "E&xit", "Exit1", &BaseWindow::Shutdown);

    taskMenu_ = menuBar_->addMenu(QStringLiteral("&Task"));
    taskMenu_->setObjectName(QStringLiteral("Task1"));
    const auto task = [this](const char* caption, const char* name, void (BaseWindow::*handler)(),
                             TaskId id) {
        AddEntry(taskMenu_, caption, name, handler)->setEnabled(bool(context_.registry.Task(id)));
    };
    task("&Design Yagi", "Design_yagi", &BaseWindow::Design_yagiClick, TaskId::DesignYagi);
    task("&Gain", "Gain_calc", &BaseWindow::Gain_calcClick, TaskId::Gain);
    task("&Stacking", "Stacking_calc", &BaseWindow::Stacking_calcClick, TaskId::Stacking);
    task("&YO or Mmana file", "YO_calc", &BaseWindow::YO_calcClick, TaskId::YoFile);
    task("S&WR", "SWR1", &BaseWindow::SWR1Click, TaskId::Swr);
    task("&Impedance", "Impedance1", &BaseWindow::Impedance1Click, TaskId::Impedance);

    helpMenu_ = menuBar_->addMenu(QStringLiteral("&Help"));
    helpMenu_->setObjectName(QStringLiteral("Help1"));
    AddEntry(helpMenu_, "&Contents (WinHelp)", "Contents1", &BaseWindow::Contents1Click);
    AddEntry(helpMenu_, "Contents (HTML)", "ContentsHTML1", &BaseWindow::ContentsHTML1Click);
    AddEntry(helpMenu_, "&About...", "About1", &BaseWindow::About1Click);
}

QMenu* BaseWindow::Menu(BaseMenu menu) const
{
    switch (menu) {
    case BaseMenu::File:
        return fileMenu_;
    case BaseMenu::Task:
        return taskMenu_;
    case BaseMenu::Help:
        break;
    }
    return helpMenu_;
}

void BaseWindow::HideMenu(BaseMenu menu, bool alsoDisable)
{
    QAction* entry = Menu(menu)->menuAction();
    entry->setVisible(false);
    // A hidden menu keeps its Alt key in the menu bar: a button of the same
    // letter would then only take the focus, never be pressed.
    entry->setText(entry->text().remove(QLatin1Char('&')));
    if (alsoDisable)
        entry->setEnabled(false);
}

void BaseWindow::LayOut()
{
    const int menuHeight = menuBar_->sizeHint().height();
    menuBar_->setGeometry(0, 0, width(), menuHeight);
    client_->setGeometry(0, menuHeight, width(), std::max(0, height() - menuHeight));
}

void BaseWindow::SetClientSize(int width, int height)
{
    resize(width, height + menuBar_->sizeHint().height());
    LayOut();
    // A hidden window gets its resize events only when shown.
    resizeKit_->Apply(client_->width(), client_->height());
}

void BaseWindow::resizeEvent(QResizeEvent* event)
{
    QDialog::resizeEvent(event);
    LayOut();
}

void BaseWindow::keyPressEvent(QKeyEvent* event)
{
    // These are windows, not dialogs: Escape does not close them. Enter presses
    // the button that has the focus, or from a box the window's Calculate.
    const int key = event->key();
    if (key == Qt::Key_Return || key == Qt::Key_Enter) {
        QWidget* focus = focusWidget();
        if (auto* button = qobject_cast<QPushButton*>(focus))
            button->click();
        else if (QPushButton* button = EnterButtonFor(focus))
            if (button->isEnabled() && button->isVisible()) {
                button->setFocus(Qt::OtherFocusReason);
                button->click();
            }
        return;
    }
    QWidget::keyPressEvent(event);
}

void BaseWindow::SetEnterButton(QPushButton* button, QWidget* scope)
{
    // One button a scope: a later one (a page of tabs shown) takes its place.
    scope = scope ? scope : client_;
    std::erase_if(enterButtons_, [scope](const auto& entry) { return entry.second == scope; });
    enterButtons_.emplace_back(button, scope);
}

QPushButton* BaseWindow::EnterButtonFor(QWidget* box) const
{
    if (!qobject_cast<QLineEdit*>(box) && !qobject_cast<QComboBox*>(box) &&
        !qobject_cast<QAbstractSpinBox*>(box))
        return nullptr;
    QPushButton* chosen = nullptr;
    const QWidget* chosenScope = nullptr;
    for (const auto& [button, scope] : enterButtons_)
        if (scope->isAncestorOf(box) && (!chosenScope || chosenScope->isAncestorOf(scope))) {
            chosen = button;
            chosenScope = scope;
        }
    return chosen;
}

void BaseWindow::ShrinkToFourFifths()
{
    resizeKit_->Load();
    for (QWidget* control : FormScaler::Controls(client_)) {
        control->setGeometry(shell::FourFifths(control->x()), shell::FourFifths(control->y()),
                             shell::FourFifths(control->width()),
                             shell::FourFifths(control->height()));
        if (control->testAttribute(Qt::WA_SetFont)) {
            QFont font = control->font();
            SetFontSize(font, shell::FourFifths(FontSizeOf(font)), font.pixelSize() > 0);
            control->setFont(font);
        }
    }
    QFont font = client_->font();
    SetFontSize(font, shell::FourFifths(FontSizeOf(font)), font.pixelSize() > 0);
    client_->setFont(font);
    // The scaler then lays the controls out for the smaller client area.
    SetClientSize(shell::FourFifths(client_->width()), shell::FourFifths(client_->height()));
}

bool BaseWindow::event(QEvent* event)
{
    if (event->type() == QEvent::Show) {
        // Without a window manager nobody else hands a new window the focus.
        activateWindow();
    } else if (event->type() == QEvent::WindowDeactivate && activating_) {
        deactivatedWhileActivating_ = true;
    } else if (event->type() == QEvent::WindowActivate) {
        // When the activation handler fails, its error box takes the focus and
        // hands it back; running the handler again then would only repeat the
        // same box for ever.
        if (skipActivation_) {
            skipActivation_ = false;
        } else {
            activating_ = true;
            deactivatedWhileActivating_ = false;
            const bool ok = Guarded(context_.dialogs, this, [this] { FormActivate(); });
            activating_ = false;
            skipActivation_ = !ok && deactivatedWhileActivating_;
        }
    }
    return QDialog::event(event);
}

void BaseWindow::SetVersionLine(bool withFont)
{
    if (withFont) {
        QFont font(QStringLiteral("Comic Sans MS"));
        font.setPointSize(11);
        versionLine_->setFont(font);
    }
    versionLine_->setText(QString::fromUtf8(shell::kVersionLine));
}

void BaseWindow::FormActivate()
{
    SetVersionLine();
}

void BaseWindow::Save_Data()
{
    WriteDataFile(context_.state, UserDecimalSep());
    context_.dialogs.Beep();
    context_.dialogs.Notice(this, QString::fromUtf8(kProgramDataSaved));
}

void BaseWindow::Recoverdata()
{
    const bool found = ReadDataFile(context_.state, UserDecimalSep());
    context_.dialogs.Beep();
    context_.dialogs.Notice(this, QString::fromUtf8(found ? kOldDataReloaded : kNoDataFile));
}

void BaseWindow::Shutdown()
{
    close();
}

void BaseWindow::OpenTask(TaskId id, const std::function<void(BaseWindow&)>& whenShown)
{
    const TaskFactory& factory = context_.registry.Task(id);
    if (!factory)
        return;
    // Owned by this window; its creation handler runs in the constructor and
    // its destruction handler when the pointer lets go of it.
    std::unique_ptr<BaseWindow> window = factory(this, context_);
    window->ShrinkToFourFifths();
    if (whenShown) {
        BaseWindow* shown = window.get();
        QTimer::singleShot(0, shown, [this, shown, whenShown] {
            Guarded(context_.dialogs, shown, [shown, whenShown] { whenShown(*shown); });
        });
    }
    ShowModal(*window);
}

void BaseWindow::ShowModal(QDialog& window)
{
    window.exec();
    // Without a window manager nobody hands the focus back.
    if (isVisible())
        activateWindow();
}

void BaseWindow::Design_yagiClick()
{
    OpenTask(TaskId::DesignYagi);
}
void BaseWindow::Gain_calcClick()
{
    OpenTask(TaskId::Gain);
}
void BaseWindow::Stacking_calcClick()
{
    OpenTask(TaskId::Stacking);
}
void BaseWindow::YO_calcClick()
{
    OpenTask(TaskId::YoFile);
}
void BaseWindow::SWR1Click()
{
    OpenTask(TaskId::Swr);
}
void BaseWindow::Impedance1Click()
{
    OpenTask(TaskId::Impedance);
}

void BaseWindow::ShowHelp(HelpCommand command, int context)
{
    context_.dialogs.Help(this, {command, HelpCollection(context_.state), context, {}});
}

void BaseWindow::HelpContext(int context)
{
    ShowHelp(HelpCommand::Context, context);
}

void BaseWindow::Contents1Click()
{
    ShowHelp(HelpCommand::Finder);
}

void BaseWindow::ContentsHTML1Click()
{
    ShowHelp(HelpCommand::Contents);
}

void BaseWindow::About1Click()
{
    AboutBox about(this);
    about.exec();
}

} // namespace tavora::app
