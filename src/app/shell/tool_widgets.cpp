// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/shell/tool_widgets.h"

#include "app/shell/base_window.h"

#include <QEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTextCursor>
#include <QTimer>

namespace tavora::app {

ListChoice::ListChoice(QListWidget* list) : QObject(list)
{
    list->installEventFilter(this);
    connect(list, &QListWidget::itemClicked, this, &ListChoice::Chosen);
    // A click moves the current item on the press and reports on the release:
    // only moves made by a key are a choice of their own.
    connect(list, &QListWidget::currentRowChanged, this, [this](int row) {
        if (byKey_ && row >= 0) {
            byKey_ = false;
            emit Chosen();
        }
    });
}

bool ListChoice::eventFilter(QObject*, QEvent* event)
{
    // Only while the list handles this key: a key that moves nothing (or
    // takes the focus away) must not make a later move of the program's or
    // a mouse press count.
    if (event->type() == QEvent::KeyPress) {
        byKey_ = true;
        QTimer::singleShot(0, this, [this] { byKey_ = false; });
    }
    return false;
}

QLabel* AddLabel(const char* name, const QString& text, QRect geometry, QWidget* parent)
{
    auto* label = new QLabel(text, parent);
    label->setObjectName(QString::fromUtf8(name));
    label->setGeometry(geometry);
    return label;
}

QLineEdit* AddEdit(const char* name, const QString& text, QRect geometry, QWidget* parent)
{
    auto* edit = new QLineEdit(text, parent);
    edit->setObjectName(QString::fromUtf8(name));
    edit->setGeometry(geometry);
    return edit;
}

QPushButton* AddButton(const char* name, const QString& caption, QRect geometry, QWidget* parent)
{
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(QString::fromUtf8(name));
    button->setGeometry(geometry);
    button->setAutoDefault(false);
    return button;
}

QLabel* AddTitle(const QString& text, QRect geometry, QWidget* parent)
{
    QLabel* title = AddLabel("Title", text, geometry, parent);
    title->setFont(ComicFont(26));
    title->setStyleSheet(QStringLiteral("color: blue"));
    return title;
}

void SetToolFont(QWidget* client)
{
    QFont font = client->font();
    font.setPixelSize(16);
    client->setFont(font);
}

QString FromCrlf(const std::string& text)
{
    return QString::fromStdString(text).replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
}

std::string ToCrlf(const QString& text)
{
    return QString(text).replace(QLatin1Char('\n'), QStringLiteral("\r\n")).toStdString();
}

std::string Text(const QLineEdit* box)
{
    return box->text().toStdString();
}

void AppendToMemo(QPlainTextEdit* memo, const std::string& crlfText)
{
    QTextCursor end(memo->document());
    end.movePosition(QTextCursor::End);
    end.insertText(FromCrlf(crlfText));
    memo->setTextCursor(end);
    memo->ensureCursorVisible();
}

} // namespace tavora::app
