// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/shell/about_box.h"

#include "app/shell/pictures.h"
#include "shell/startup.h"
#include "shell/version.h"

#include <QFrame>
#include <QLabel>
#include <QPushButton>

namespace tavora::app {

namespace {

QLabel* AddLabel(QWidget* parent, const char* name, const QString& text, QRect bounds)
{
    auto* label = new QLabel(text, parent);
    label->setObjectName(QString::fromUtf8(name));
    label->setGeometry(bounds);
    return label;
}

} // namespace

AboutBox::AboutBox(QWidget* owner)
    : QDialog(owner, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                         Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint)
{
    setObjectName(QStringLiteral("fmAboutBox"));
    setWindowTitle(QStringLiteral("ABOUT TAVORA.EXE"));
    setFixedSize(369, 252);
    setAutoFillBackground(true);
    QPalette white = palette();
    white.setColor(QPalette::Window, Qt::white);
    setPalette(white);
    QFont sans(QStringLiteral("MS Sans Serif"));
    sans.setPixelSize(13);
    setFont(sans);

    auto* panel = new QFrame(this);
    panel->setObjectName(QStringLiteral("Panel1"));
    panel->setFrameStyle(QFrame::Panel | QFrame::Raised);
    panel->setLineWidth(2);
    panel->setGeometry(12, 12, 108, 108);
    auto* picture = new QLabel(panel);
    picture->setObjectName(QStringLiteral("ProgramIcon"));
    picture->setGeometry(4, 4, 100, 100);
    picture->setAlignment(Qt::AlignCenter);
    picture->setPixmap(LoadPicture(kAboutPicture));

    QLabel* name =
        AddLabel(this, "ProductName", QString::fromUtf8(shell::kProgramTitle), {136, 16, 220, 24});
    QFont bold = sans;
    bold.setBold(true);
    bold.setPixelSize(16);
    name->setFont(bold);
    AddLabel(this, "Comments", QStringLiteral("for the design of DL6WU yagis for VHF/UHF"),
             {136, 44, 225, 40})
        ->setWordWrap(true);
    AddLabel(this, "Copyright", QStringLiteral("Made by the Tavora developers"),
             {136, 92, 225, 20});
    AddLabel(this, "Contact", QStringLiteral("Reports and ideas: the project's tracker"),
             {136, 114, 225, 20});
    AddLabel(this, "Version", QString::fromUtf8(shell::kVersionLine), {136, 140, 225, 20});
    AddLabel(this, "Licence", QString::fromUtf8(shell::kLicenceLine), {136, 162, 225, 36})
        ->setWordWrap(true);

    auto* ok = new QPushButton(QStringLiteral("&OK"), this);
    ok->setObjectName(QStringLiteral("OKButton"));
    ok->setGeometry(147, 206, 75, 27);
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
}

} // namespace tavora::app
