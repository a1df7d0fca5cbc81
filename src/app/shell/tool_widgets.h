#pragma once

#include <QFont>
#include <QRect>
#include <QString>

#include <string>

class QLabel;
class QLineEdit;
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

// The core writes memos with CR LF; the boxes show plain line feeds.
QString FromCrlf(const std::string& text);
std::string ToCrlf(const QString& text);
std::string Text(const QLineEdit* box);
// Adds text at the end of a memo, keeping what the user typed in it.
void AppendToMemo(QPlainTextEdit* memo, const std::string& crlfText);

} // namespace tavora::app
