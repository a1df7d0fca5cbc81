// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/shell/pictures.h"

#include <QImageReader>

namespace tavora::app {

QPixmap LoadPicture(const char* path)
{
    QImageReader reader(QString::fromUtf8(path), "jpeg");
    return QPixmap::fromImage(reader.read());
}

} // namespace tavora::app

#include <QPainter>

namespace tavora::app {

void PictureBox::SetPicture(const QPixmap& picture)
{
    picture_ = picture;
    update();
}

QRect PictureBox::PictureRect() const
{
    if (picture_.isNull())
        return {};
    const QRect area = contentsRect();
    QSize size = picture_.size();
    if (size.width() > area.width() || size.height() > area.height())
        size.scale(area.size(), Qt::KeepAspectRatio);
    QRect placed(QPoint(0, 0), size);
    placed.moveCenter(area.center());
    return placed;
}

void PictureBox::paintEvent(QPaintEvent* event)
{
    QFrame::paintEvent(event);
    if (picture_.isNull())
        return;
    QPainter painter(this);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawPixmap(PictureRect(), picture_);
}

} // namespace tavora::app
