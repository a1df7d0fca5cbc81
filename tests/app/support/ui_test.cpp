// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui_test.h"

#include "app/shell/fonts.h"
#include "app/shell/user_locale.h"
#include "shell/startup.h"

#include <QApplication>
#include <QDateTime>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QMetaMethod>
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

// The test functions of a test class: its private slots, without the hooks
// Qt Test calls around them and their data tables.
QStringList TestFunctions(const QMetaObject& meta)
{
    static const QStringList hooks{QStringLiteral("initTestCase"),
                                   QStringLiteral("cleanupTestCase"), QStringLiteral("init"),
                                   QStringLiteral("cleanup")};
    QStringList functions;
    for (int i = meta.methodOffset(); i < meta.methodCount(); ++i) {
        const QMetaMethod method = meta.method(i);
        const QString name = QString::fromLatin1(method.name());
        if (method.methodType() == QMetaMethod::Slot && method.access() == QMetaMethod::Private &&
            method.parameterCount() == 0 && !hooks.contains(name) &&
            !name.endsWith(QStringLiteral("_data")))
            functions << name;
    }
    return functions;
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
    // Each test function works in its own copy of the folder the run was
    // started in (the program folder with the data files), with its own
    // settings and cache, so that no test sees a file another one left and
    // runs going on at the same time share no file. Arguments given by hand
    // (a function to run, an output format) run as asked, in one copy.
    const QString started = QDir::currentPath();
    QStringList functions;
    if (argc > 1) {
        functions << QString();
    } else {
        const std::unique_ptr<QObject> probe = makeTest();
        functions = TestFunctions(*probe->metaObject());
    }
    int failed = 0;
    for (const QString& function : functions) {
        QTemporaryDir own;
        const QString folder = own.filePath(QStringLiteral("run"));
        if (!own.isValid() || !QDir().mkdir(folder) || !CopyFiles(started, folder) ||
            !QDir::setCurrent(folder))
            qFatal("cannot make a run folder from %s", qPrintable(started));
        for (const char* place : {"XDG_CACHE_HOME", "XDG_CONFIG_HOME", "XDG_DATA_HOME"})
            qputenv(place, own.filePath(QString::fromLatin1(place)).toLocal8Bit());
        const std::unique_ptr<QObject> test = makeTest();
        failed += function.isEmpty()
                      ? QTest::qExec(test.get(), argc, argv)
                      : QTest::qExec(test.get(), {QString::fromLocal8Bit(argv[0]), function});
        QDir::setCurrent(started);
    }
    return failed;
}

} // namespace tavora::test
