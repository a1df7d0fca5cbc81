// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QPainter>
#include <QRectF>
#include <QString>

namespace tavora::app {

// What heads a simulation page's printout, PDF and picture: its title line,
// the design simulated, and at the foot the date and the page count.
struct PrintFrame {
    QString title;  // "Tavora - NEC-2 simulation: <page>"
    QString design; // "144.1 MHz, 8 directors, single dipole"; empty when not known
};

// Draws the frame on `page` and gives the area left inside it for the page.
QRectF DrawPrintFrame(QPainter& painter, const QRectF& page, const PrintFrame& frame);

} // namespace tavora::app
