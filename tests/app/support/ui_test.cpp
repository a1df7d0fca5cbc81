#include "ui_test.h"

#include "app/shell/fonts.h"
#include "app/shell/user_locale.h"
#include "shell/startup.h"

#include <QApplication>
#include <QDateTime>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTimer>

namespace tavora::test {

ModalWatchdog::ModalWatchdog(int limitMs) : limitMs_(limitMs)
{
    auto* timer = new QTimer(this);
    connect(timer, &QTimer::timeout, this, [this] { Check(); });
    timer->start(50);
}

void ModalWatchdog::Check()
{
    QWidget* modal = QApplication::activeModalWidget();
    const qint64 now = QDateTime::currentMSecsSinceEpoch();
    if (modal != watched_) {
        watched_ = modal;
        since_ = now;
        return;
    }
    if (modal == nullptr || now - since_ < limitMs_)
        return;
    failures_ << QStringLiteral("unexpected modal window %1 \"%2\" left open")
                     .arg(QString::fromUtf8(modal->metaObject()->className()),
                          modal->windowTitle());
    watched_ = nullptr;
    if (auto* dialog = qobject_cast<QDialog*>(modal))
        dialog->reject();
    else
        modal->close();
}

void WhenModalOpens(std::function<void(QWidget* modal)> body)
{
    QWidget* before = QApplication::activeModalWidget();
    auto* timer = new QTimer(qApp);
    QObject::connect(timer, &QTimer::timeout, timer, [timer, before, body] {
        // Shown is not yet active: the window's activation handler fills in
        // some of what a test reads, and on a busy machine the activation
        // event is handled a moment after the window shows.
        QWidget* modal = QApplication::activeModalWidget();
        if (modal == nullptr || modal == before || !modal->isVisible() ||
            QApplication::activeWindow() != modal)
            return;
        timer->stop();
        timer->deleteLater();
        body(modal);
    });
    timer->start(10);
}

namespace {

ScriptedDialogs& Fallback()
{
    static ScriptedDialogs dialogs;
    return dialogs;
}

// The files of a folder, with those of its subfolders.
bool CopyFiles(const QString& from, const QString& to)
{
    const QDir source(from);
    for (const QFileInfo& entry :
         source.entryInfoList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot)) {
        const QString target = QDir(to).filePath(entry.fileName());
        const bool copied = entry.isDir()
                                ? QDir().mkdir(target) && CopyFiles(entry.filePath(), target)
                                : QFile::copy(entry.filePath(), target);
        if (!copied)
            return false;
    }
    return true;
}

app::TavoraApplication& Application()
{
    return *static_cast<app::TavoraApplication*>(qApp);
}

} // namespace

Harness::Harness()
{
    shell::InitialiseProgram(state, app::UserDecimalSep());
    Application().SetDialogs(&dialogs);
}

Harness::~Harness()
{
    Application().SetDialogs(&Fallback());
}

QString Typed(const QString& text)
{
    // Only a point between digits: a report's sentences end in points too.
    static const QRegularExpression decimalPoint(QStringLiteral("(?<=\\d)\\.(?=\\d)"));
    QString typed = text;
    return typed.replace(decimalPoint, QString(QChar::fromLatin1(app::UserDecimalSep())));
}

QStringList Typed(const QStringList& texts)
{
    QStringList typed;
    for (const QString& text : texts)
        typed << Typed(text);
    return typed;
}

int RunUiTest(int argc, char** argv, const std::function<std::unique_ptr<QObject>()>& makeTest)
{
    // The locale is the one the environment names, as for the program: ctest
    // runs each window suite in the C locale and under a comma-decimal one.
    app::TavoraApplication application(argc, argv);
    application.SetDialogs(&Fallback());
    app::InstallFontSubstitutes();
    // The run works in its own copy of the folder it was started in (the
    // program folder with the data files), with its own settings and cache,
    // so that runs going on at the same time, in any order, share no file.
    const QString started = QDir::currentPath();
    QTemporaryDir own;
    const QString folder = own.filePath(QStringLiteral("run"));
    if (!own.isValid() || !QDir().mkdir(folder) || !CopyFiles(started, folder) ||
        !QDir::setCurrent(folder))
        qFatal("cannot make a run folder from %s", qPrintable(started));
    for (const char* place : {"XDG_CACHE_HOME", "XDG_CONFIG_HOME", "XDG_DATA_HOME"})
        qputenv(place, own.filePath(QString::fromLatin1(place)).toLocal8Bit());
    const std::unique_ptr<QObject> test = makeTest();
    const int failed = QTest::qExec(test.get(), argc, argv);
    QDir::setCurrent(started);
    return failed;
}

} // namespace tavora::test
