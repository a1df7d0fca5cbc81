// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/shell/app_context.h"
#include "app/shell/dialogs.h"
#include "app/shell/error_handler.h"
#include "shell/help.h"

#include <QDialog>
#include <QSize>

#include <utility>
#include <vector>

class QAction;
class QLabel;
class QMenu;
class QMenuBar;
class QPushButton;

namespace tavora::app {

class FormScaler;

// The menus of the base window's bar.
enum class BaseMenu { File, Task, Help };

// The base of every task window and of the main window: heading label, version
// line, the File/Task/Help menu bar with its handlers, and the form scaler.
// Controls go on Client() at their design positions; the scaler does the rest.
class BaseWindow : public QDialog {
    Q_OBJECT
  public:
    static constexpr QSize kDesignSize{947, 719};

    BaseWindow(QWidget* owner, AppContext& context, QSize designSize = kDesignSize);
    ~BaseWindow() override;

    QWidget* Client() const { return client_; }
    QLabel* Heading() const { return heading_; }
    QLabel* VersionLine() const { return versionLine_; }
    QMenuBar* MenuBar() const { return menuBar_; }
    QMenu* Menu(BaseMenu menu) const;
    FormScaler& ResizeKit1() const { return *resizeKit_; }
    AppContext& Context() const { return context_; }

    // Every position, size and font times 4/5, as the Task entries do.
    void ShrinkToFourFifths();
    void SetClientSize(int width, int height);

    // The menu handlers, in menu order; a window replaces one by overriding it.
    virtual void FormActivate();
    virtual void Save_Data();
    virtual void Recoverdata();
    virtual void Shutdown();
    virtual void Design_yagiClick();
    virtual void Gain_calcClick();
    virtual void Stacking_calcClick();
    virtual void YO_calcClick();
    virtual void SWR1Click();
    virtual void Impedance1Click();
    virtual void Contents1Click();
    virtual void ContentsHTML1Click();
    virtual void About1Click();

  protected:
    // A hidden menu is neither shown nor reachable by its keys.
    void HideMenu(BaseMenu menu, bool alsoDisable = false);
    // Sets the version line to the current release; withFont also sets
    // "Comic Sans MS" at 11 points.
    void SetVersionLine(bool withFont = true);
    // Creates, shrinks, shows modally and destroys the Task window; `whenShown`
    // runs as the window's first action once it is up, under the error handler.
    void OpenTask(TaskId id, const std::function<void(BaseWindow&)>& whenShown = {});
    // Shows a window modally over this one; this one is active again afterwards,
    // so its activation handler runs as after any window of the program.
    void ShowModal(QDialog& window);
    void ShowHelp(HelpCommand command, int context = 0);
    // The topic of a window's context number in the manual.
    void HelpContext(int context);
    // Enter in a box under `scope` (the client area when null) presses `button`
    // as a click does: the box is left first. The innermost scope wins, so a
    // window with a Calculate button per group calculates the group typed in.
    void SetEnterButton(QPushButton* button, QWidget* scope = nullptr);
    // The manual's page that F1 opens in this window.
    void SetHelpTopic(shell::HelpTopic topic) { helpTopic_ = topic; }

    // Connects a signal to a handler under the general error handler.
    template <class Sender, class Signal, class Handler>
    void On(Sender* sender, Signal signal, Handler handler)
    {
        connect(sender, signal, this, [this, handler] {
            Guarded(context_.dialogs, this, std::function<void()>(handler));
        });
    }

    bool event(QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

  private:
    QAction* AddEntry(QMenu* menu, const char* caption, const char* name,
                      void (BaseWindow::*handler)());
    void BuildMenus();
    QPushButton* EnterButtonFor(QWidget* box) const;
    void LayOut();

    AppContext& context_;
    QMenuBar* menuBar_;
    QMenu* fileMenu_ = nullptr;
    QMenu* taskMenu_ = nullptr;
    QMenu* helpMenu_ = nullptr;
    QWidget* client_;
    QLabel* heading_;
    QLabel* versionLine_;
    FormScaler* resizeKit_;
    std::vector<std::pair<QPushButton*, QWidget*>> enterButtons_;
    bool activating_ = false;
    bool deactivatedWhileActivating_ = false;
    bool skipActivation_ = false;
    shell::HelpTopic helpTopic_ = shell::HelpTopic::MainWindow;
};

// The blue "Comic Sans MS" look of headings and version lines.
QFont ComicFont(int pixels);

} // namespace tavora::app
