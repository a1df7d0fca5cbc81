// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/shell/dialogs.h"
#include "shell/help.h"

#include <QUrl>
#include <QWidget>

#include <memory>

class QHelpEngine;
class QLineEdit;
class QTabWidget;
class QTextBrowser;
class QToolButton;

namespace tavora {
struct DesignState;
}

namespace tavora::app {

// The manual's collection: the one in the program directory, else the
// installed one.
QString HelpCollection(const DesignState& state);
// What F1 asks for: the page of the window's topic.
HelpRequest TopicRequest(const DesignState& state, shell::HelpTopic topic);
// The collection and its documentation copied into `folder`, where the
// search index can be written; the collection itself when they cannot be.
QString CopyCollection(const QString& collectionFile, const QString& folder);

// The manual: contents, index and full-text search beside a browser with
// back and forward. One for the whole run, raised again when asked.
class HelpWindow : public QWidget {
    Q_OBJECT
  public:
    enum class Side { Contents, Index, Search };

    // The window over the collection, or null when the file is missing or is
    // not a collection holding the manual. The search index goes beside the
    // collection, else into a copy in the cache folder (the user's, when empty).
    static std::unique_ptr<HelpWindow> Open(const QString& collectionFile,
                                            const QString& cacheFolder = {});
    ~HelpWindow() override;

    void ShowPage(const QString& page, Side side);
    QUrl CurrentUrl() const;
    QHelpEngine& Engine() const { return *engine_; }
    QTabWidget* SideTabs() const { return tabs_; }
    // Runs a full-text search as if typed into the Search tab.
    void Search(const QString& words);

  private:
    HelpWindow();
    bool Load(const QString& collectionFile, const QString& cacheFolder);
    void BuildControls();
    void SelectInContents(const QUrl& url);

    QHelpEngine* engine_ = nullptr;
    QTabWidget* tabs_ = nullptr;
    QLineEdit* indexFilter_ = nullptr;
    QTextBrowser* browser_ = nullptr;
    QString searchUnavailable_; // why the search cannot work, when it cannot
};

// Serves the windows' help requests with the one help window, or says once
// per request that the collection cannot be opened.
class HelpViewer {
  public:
    explicit HelpViewer(Dialogs& dialogs) : dialogs_(dialogs) {}
    ~HelpViewer();

    void Show(QWidget* parent, const HelpRequest& request);
    HelpWindow* Window() const { return window_.get(); }

  private:
    Dialogs& dialogs_;
    std::unique_ptr<HelpWindow> window_;
    QString file_; // the collection the window shows
};

} // namespace tavora::app
