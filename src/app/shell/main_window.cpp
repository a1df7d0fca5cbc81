// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/shell/main_window.h"

#include "app/exchange/yo_details_window.h"
#include "app/shell/pictures.h"
#include "shell/startup.h"

#include <QCloseEvent>
#include <QLabel>

namespace tavora::app {

MainWindow::MainWindow(AppContext& context) : BaseWindow(nullptr, context, kDesignSize)
{
    setObjectName(QStringLiteral("Yagibaseform1"));
    setWindowTitle(QString::fromUtf8(shell::kProgramTitle));

    const int width = kDesignSize.width();
    Heading()->setText(QStringLiteral("Tavora  for VHF/UHF"));
    Heading()->setAlignment(Qt::AlignCenter);
    Heading()->setFont(ComicFont(27));
    Heading()->setGeometry((width - 378) / 2, 14, 378, 38);

    auto* panel = new QFrame(Client());
    panel->setObjectName(QStringLiteral("Panel1"));
    panel->setFrameStyle(QFrame::Panel | QFrame::Raised);
    panel->setLineWidth(3);
    panel->setGeometry((width - 385) / 2, 110, 385, 433);
    picture_ = new PictureBox(panel);
    picture_->setObjectName(QStringLiteral("Image1"));
    picture_->setGeometry((385 - 313) / 2, (433 - 361) / 2, 313, 361);
    picture_->SetPicture(LoadPicture(kWelcomePicture));

    QPalette blue;
    blue.setColor(QPalette::WindowText, Qt::blue);
    auto* welcome = new QLabel(QStringLiteral("WELCOME"), Client());
    welcome->setObjectName(QStringLiteral("Label2"));
    welcome->setAlignment(Qt::AlignCenter);
    welcome->setFont(ComicFont(21));
    welcome->setPalette(blue);
    welcome->setGeometry(0, 562, width, 34);

    auto* credit = new QLabel(
        QStringLiteral("   Tavora  builds on the work of many experimenters "), Client());
    credit->setObjectName(QStringLiteral("Label3"));
    credit->setAlignment(Qt::AlignCenter);
    QFont arial(QStringLiteral("Arial"));
    arial.setPixelSize(19);
    credit->setFont(arial);
    credit->setGeometry(0, 608, width, 28);

    VersionLine()->setGeometry(0, kDesignSize.height() - 28, width, 28);

    Fixscreen();
}

void MainWindow::Fixscreen()
{
    ShrinkToFourFifths();
}

void MainWindow::FormActivate()
{
    BaseWindow::FormActivate();
    SetVersionLine();
}

bool MainWindow::ShutIt()
{
    return Context().dialogs.Message(this, QMessageBox::Question, QStringLiteral("Close program?"),
                                     QMessageBox::Ok | QMessageBox::Cancel) == QMessageBox::Ok;
}

void MainWindow::closeEvent(QCloseEvent* event)
{
    // Nothing is saved on the way out.
    if (ShutIt())
        event->accept();
    else
        event->ignore();
}

void MainWindow::reject()
{
    close();
}

void MainWindow::OpenYagFile(const std::string& path)
{
    OpenTask(TaskId::YoFile, [path](BaseWindow& window) {
        if (auto* yo = qobject_cast<YoDetailsWindow*>(&window))
            yo->LoadYagFile(path);
    });
}

} // namespace tavora::app
