// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ui_test.h"

#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>

namespace tavora::test {

// Finds a named control of a window, failing loudly when it is missing.
template <class T> T* Find(QWidget* window, const char* name)
{
    T* control = window->findChild<T*>(QString::fromUtf8(name));
    if (control == nullptr)
        qFatal("no control %s", name);
    return control;
}

inline void Type(QWidget* window, const char* box, const QString& text)
{
    Find<QLineEdit>(window, box)->setText(text);
}
// Typed key by key, as a person does (the box's edit signals fire).
inline void TypeKeys(QWidget* window, const char* box, const QString& text)
{
    QLineEdit* edit = Find<QLineEdit>(window, box);
    edit->selectAll();
    QTest::keyClick(edit, Qt::Key_Delete);
    QTest::keyClicks(edit, text);
}
inline void Click(QWidget* window, const char* button)
{
    Find<QPushButton>(window, button)->click();
}
// A radio item as the user clicks it (emits the group's Clicked).
inline void Choose(QWidget* window, const char* item)
{
    Find<QRadioButton>(window, item)->click();
}
inline QStringList MemoLines(QWidget* window)
{
    QString text = Find<QPlainTextEdit>(window, "Memo1")->toPlainText();
    if (text.endsWith(QLatin1Char('\n')))
        text.chop(1);
    return text.isEmpty() ? QStringList() : text.split(QLatin1Char('\n'));
}

} // namespace tavora::test
