#include "ui_test.h"

#include "app/shell/fonts.h"
#include "shell/startup.h"

#include <QApplication>
#include <QDateTime>
#include <QDialog>
#include <QLocale>
#include <QTimer>

#include <clocale>

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
        QWidget* modal = QApplication::activeModalWidget();
        if (modal == nullptr || modal == before || !modal->isVisible())
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

app::TavoraApplication& Application()
{
    return *static_cast<app::TavoraApplication*>(qApp);
}

} // namespace

Harness::Harness()
{
    shell::InitialiseProgram(state);
    Application().SetDialogs(&dialogs);
}

Harness::~Harness()
{
    Application().SetDialogs(&Fallback());
}

int RunUiTest(int argc, char** argv, const std::function<std::unique_ptr<QObject>()>& makeTest)
{
    std::setlocale(LC_ALL, "C");
    app::TavoraApplication application(argc, argv);
    application.SetDialogs(&Fallback());
    QLocale::setDefault(QLocale::c());
    app::InstallFontSubstitutes();
    const std::unique_ptr<QObject> test = makeTest();
    return QTest::qExec(test.get(), argc, argv);
}

} // namespace tavora::test
