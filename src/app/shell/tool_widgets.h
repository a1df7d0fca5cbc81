// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QFont>
#include <QObject>
#include <QRect>
#include <QString>

#include <string>

class QLabel;
class QLineEdit;
class QListWidget;
class QPlainTextEdit;
class QPushButton;
class QWidget;

namespace tavora::app {

// Small builders for the windows' controls at their design positions.
QLabel* AddLabel(const char* name, const QString& text, QRect geometry, QWidget* parent);
QLineEdit* AddEdit(const char* name, const QString& text, QRect geometry, QWidget* parent);
QPushButton* AddButton(const char* name, const QString& caption, QRect geometry, QWidget* parent);
// A blue "Comic Sans MS" heading under the product name.
QLabel* AddTitle(const QString& text, QRect geometry, QWidget* parent);
// The client area's font for labels and boxes: large enough to stay legible
// when the window is shrunk to four fifths.
void SetToolFont(QWidget* client);

// Emits Chosen once per choice in a list: a click on an item, or a move of the
// current item with the keyboard, which list boxes on the platform the program
// comes from report as a click too. Moves the program makes itself do not count.
class ListChoice : public QObject {
    Q_OBJECT
  public:
    explicit ListChoice(QListWidget* list);

  signals:
    void Chosen();

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    bool byKey_ = false;
};

// The core writes memos with CR LF; the boxes show plain line feeds.
QString FromCrlf(const std::string& text);
std::string ToCrlf(const QString& text);
std::string Text(const QLineEdit* box);
// Adds text at the end of a memo, keeping what the user typed in it.
void AppendToMemo(QPlainTextEdit* memo, const std::string& crlfText);

} // namespace tavora::app
