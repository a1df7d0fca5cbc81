// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QPixmap>

namespace tavora::app {

// The program's own pictures, JPEG files built into it as resources.
inline constexpr const char* kWelcomePicture = ":/pictures/welcome.jpg";
inline constexpr const char* kAboutPicture = ":/pictures/about.jpg";

// Decodes a picture; a null pixmap when the JPEG reader is missing.
QPixmap LoadPicture(const char* path);

} // namespace tavora::app

#include <QFrame>

namespace tavora::app {

// A picture centred in its frame and scaled down, keeping its proportions,
// when the frame is smaller than the picture.
class PictureBox : public QFrame {
  public:
    explicit PictureBox(QWidget* parent = nullptr) : QFrame(parent) {}
    void SetPicture(const QPixmap& picture);
    const QPixmap& Picture() const { return picture_; }
    // Where the picture is drawn, in the frame's coordinates.
    QRect PictureRect() const;

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    QPixmap picture_;
};

} // namespace tavora::app
