// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/shell/help_window.h"

#include "state/design_state.h"
#include "state/program_dir.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHelpContentWidget>
#include <QHelpEngine>
#include <QHelpIndexWidget>
#include <QHelpLink>
#include <QHelpSearchEngine>
#include <QHelpSearchQueryWidget>
#include <QHelpSearchResultWidget>
#include <QLabel>
#include <QLineEdit>
#include <QSplitter>
#include <QStandardPaths>
#include <QTabWidget>
#include <QTextBrowser>
#include <QToolButton>
#include <QVBoxLayout>
#include <QWindow>

namespace tavora::app {

namespace {

QString Text(const std::string& text)
{
    return QString::fromStdString(text);
}

QUrl PageUrl(const QString& page)
{
    return QUrl(Text(shell::HelpUrl(page.toStdString())));
}

// Pages, pictures and the style sheet come out of the collection.
class HelpBrowser : public QTextBrowser {
  public:
    HelpBrowser(QHelpEngine& engine, QWidget* parent) : QTextBrowser(parent), engine_(engine) {}

    QVariant loadResource(int type, const QUrl& name) override
    {
        if (name.scheme() == QLatin1String("qthelp"))
            return engine_.fileData(name);
        return QTextBrowser::loadResource(type, name);
    }

  private:
    QHelpEngine& engine_;
};

} // namespace

QString HelpCollection(const DesignState& state)
{
    return Text(ProgramFile(state, shell::kHelpCollection));
}

HelpRequest TopicRequest(const DesignState& state, shell::HelpTopic topic)
{
    return {HelpCommand::Topic, HelpCollection(state), 0, Text(shell::HelpPage(topic))};
}

HelpWindow::HelpWindow() : QWidget(nullptr, Qt::Window)
{
    setObjectName(QStringLiteral("HelpWindow"));
    setWindowTitle(QStringLiteral("Tavora Help"));
    resize(1180, 800);
}

HelpWindow::~HelpWindow() = default;

std::unique_ptr<HelpWindow> HelpWindow::Open(const QString& collectionFile,
                                             const QString& cacheFolder)
{
    std::unique_ptr<HelpWindow> window(new HelpWindow);
    const QString cache = cacheFolder.isEmpty()
                              ? QStandardPaths::writableLocation(QStandardPaths::CacheLocation)
                              : cacheFolder;
    if (!window->Load(collectionFile, cache))
        return nullptr;
    window->BuildControls();
    return window;
}

QString CopyCollection(const QString& collectionFile, const QString& folder)
{
    // The collection names its documentation relative to itself: copy both.
    const QDir from = QFileInfo(collectionFile).absoluteDir();
    const QDir to(folder);
    if (!QDir().mkpath(folder))
        return collectionFile;
    const auto names = {shell::kHelpCollection, shell::kHelpDocumentation};
    for (const char* name : names) {
        const QString target = to.filePath(QLatin1String(name));
        // A copy refuses to replace the older one, which may hold an older manual.
        QFile::remove(target);
        if (!QFile::copy(from.filePath(QLatin1String(name)), target)) {
            // Half a manual is of no use: a full cache keeps no stray copy.
            for (const char* copied : names)
                QFile::remove(to.filePath(QLatin1String(copied)));
            return collectionFile;
        }
    }
    return to.filePath(QLatin1String(shell::kHelpCollection));
}

bool HelpWindow::Load(const QString& collectionFile, const QString& cacheFolder)
{
    // The engine would make an empty collection where none is.
    if (!QFileInfo(collectionFile).isFile())
        return false;
    QString file = collectionFile;
    // The search index is written beside the collection; when the program's
    // folder is not writable (an installed program), work on a copy.
    if (!QFileInfo(QFileInfo(collectionFile).absolutePath()).isWritable())
        file = CopyCollection(collectionFile, cacheFolder);
    // Where neither can be written, the manual still reads; its search says why
    // it cannot search rather than finding nothing.
    if (!QFileInfo(QFileInfo(file).absolutePath()).isWritable())
        searchUnavailable_ =
            QStringLiteral("Search is not available: its index can be written neither "
                           "beside the manual (%1) nor in the cache folder (%2).")
                .arg(QFileInfo(collectionFile).absolutePath(), cacheFolder);
    engine_ = new QHelpEngine(file, this);
    engine_->setReadOnly(true);
    engine_->searchEngine(); // indexes once the data is set up
    if (!engine_->setupData())
        return false;
    return engine_->registeredDocumentations().contains(QLatin1String(shell::kHelpNamespace)) &&
           !engine_->fileData(PageUrl(Text(shell::HelpPage(shell::HelpTopic::Contents)))).isEmpty();
}

void HelpWindow::BuildControls()
{
    tabs_ = new QTabWidget;
    tabs_->setObjectName(QStringLiteral("HelpTabs"));

    QHelpContentWidget* contents = engine_->contentWidget();
    contents->setObjectName(QStringLiteral("HelpContents"));
    tabs_->addTab(contents, QStringLiteral("Contents"));

    auto* index = new QWidget;
    auto* indexLayout = new QVBoxLayout(index);
    indexFilter_ = new QLineEdit;
    indexFilter_->setObjectName(QStringLiteral("HelpIndexFilter"));
    indexFilter_->setPlaceholderText(QStringLiteral("Type a word"));
    QHelpIndexWidget* indexList = engine_->indexWidget();
    indexList->setObjectName(QStringLiteral("HelpIndex"));
    indexLayout->addWidget(indexFilter_);
    indexLayout->addWidget(indexList);
    tabs_->addTab(index, QStringLiteral("Index"));

    auto* search = new QWidget;
    auto* searchLayout = new QVBoxLayout(search);
    QHelpSearchEngine* searchEngine = engine_->searchEngine();
    if (!searchUnavailable_.isEmpty()) {
        auto* why = new QLabel(searchUnavailable_);
        why->setObjectName(QStringLiteral("HelpSearchUnavailable"));
        why->setWordWrap(true);
        searchLayout->addWidget(why);
        searchEngine->queryWidget()->setEnabled(false);
    }
    searchLayout->addWidget(searchEngine->queryWidget());
    searchLayout->addWidget(searchEngine->resultWidget(), 1);
    tabs_->addTab(search, QStringLiteral("Search"));

    browser_ = new HelpBrowser(*engine_, nullptr);
    browser_->setObjectName(QStringLiteral("HelpBrowser"));
    browser_->setOpenExternalLinks(true);
    auto* back = new QToolButton;
    back->setObjectName(QStringLiteral("HelpBack"));
    back->setText(QStringLiteral("< &Back"));
    back->setEnabled(false);
    auto* forward = new QToolButton;
    forward->setObjectName(QStringLiteral("HelpForward"));
    forward->setText(QStringLiteral("&Forward >"));
    forward->setEnabled(false);

    auto* page = new QWidget;
    auto* pageLayout = new QVBoxLayout(page);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(back);
    buttons->addWidget(forward);
    buttons->addStretch();
    pageLayout->addLayout(buttons);
    pageLayout->addWidget(browser_, 1);

    auto* splitter = new QSplitter;
    splitter->addWidget(tabs_);
    splitter->addWidget(page);
    splitter->setStretchFactor(1, 1);
    splitter->setSizes({260, 920});
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->addWidget(splitter);

    // The contents tree is filled in the background after the window opens.
    connect(engine_->contentModel(), &QHelpContentModel::contentsCreated, this, [this, contents] {
        contents->expandToDepth(0);
        SelectInContents(browser_->source());
    });
    connect(browser_, &QTextBrowser::sourceChanged, this, &HelpWindow::SelectInContents);
    connect(back, &QToolButton::clicked, browser_, &QTextBrowser::backward);
    connect(forward, &QToolButton::clicked, browser_, &QTextBrowser::forward);
    connect(browser_, &QTextBrowser::backwardAvailable, back, &QToolButton::setEnabled);
    connect(browser_, &QTextBrowser::forwardAvailable, forward, &QToolButton::setEnabled);
    const auto go = [this](const QUrl& url) { browser_->setSource(url); };
    connect(contents, &QHelpContentWidget::linkActivated, this, go);
    connect(indexFilter_, &QLineEdit::textChanged, indexList,
            [indexList](const QString& text) { indexList->filterIndices(text); });
    connect(indexFilter_, &QLineEdit::returnPressed, indexList,
            &QHelpIndexWidget::activateCurrentItem);
    connect(indexList, &QHelpIndexWidget::documentActivated, this,
            [go](const QHelpLink& document) { go(document.url); });
    connect(indexList, &QHelpIndexWidget::documentsActivated, this,
            [go](const QList<QHelpLink>& documents) {
                if (!documents.isEmpty())
                    go(documents.front().url);
            });
    connect(searchEngine->queryWidget(), &QHelpSearchQueryWidget::search, this,
            [searchEngine] { searchEngine->search(searchEngine->queryWidget()->searchInput()); });
    connect(searchEngine->resultWidget(), &QHelpSearchResultWidget::requestShowLink, this, go);
}

void HelpWindow::ShowPage(const QString& page, Side side)
{
    const QUrl url = PageUrl(page);
    if (browser_->source() != url)
        browser_->setSource(url);
    tabs_->setCurrentIndex(static_cast<int>(side));
    if (side == Side::Index)
        indexFilter_->setFocus();
}

void HelpWindow::SelectInContents(const QUrl& url)
{
    QUrl page = url;
    page.setFragment({});
    const QModelIndex entry = engine_->contentWidget()->indexOf(page);
    if (entry.isValid())
        engine_->contentWidget()->setCurrentIndex(entry);
}

QUrl HelpWindow::CurrentUrl() const
{
    return browser_->source();
}

void HelpWindow::Search(const QString& words)
{
    tabs_->setCurrentIndex(static_cast<int>(Side::Search));
    engine_->searchEngine()->queryWidget()->setSearchInput(words);
    engine_->searchEngine()->search(words);
}

HelpViewer::~HelpViewer() = default;

void HelpViewer::Show(QWidget* parent, const HelpRequest& request)
{
    if (!window_ || file_ != request.file) {
        std::unique_ptr<HelpWindow> opened = HelpWindow::Open(request.file);
        if (!opened) {
            dialogs_.Message(parent, QMessageBox::Warning,
                             Text(shell::HelpUnavailableMessage(
                                 QDir::toNativeSeparators(request.file).toStdString())),
                             QMessageBox::Ok);
            return;
        }
        window_ = std::move(opened);
        file_ = request.file;
    }
    QString page = Text(shell::HelpPage(shell::HelpTopic::Contents));
    HelpWindow::Side side = HelpWindow::Side::Contents;
    switch (request.command) {
    case HelpCommand::Finder:
        side = HelpWindow::Side::Index;
        break;
    case HelpCommand::Contents:
        break;
    case HelpCommand::Context:
        if (const auto topic = shell::ContextTopic(request.context))
            page = Text(shell::HelpPage(*topic));
        break;
    case HelpCommand::Topic:
        page = request.page;
        break;
    }
    window_->ShowPage(page, side);
    window_->show();
    // A modal window blocks every window but its own: make the help window
    // one of the asking window's own, so that it can be used beside it.
    if (parent != nullptr && parent->window()->windowHandle() != nullptr)
        window_->windowHandle()->setTransientParent(parent->window()->windowHandle());
    window_->raise();
    window_->activateWindow();
}

} // namespace tavora::app
