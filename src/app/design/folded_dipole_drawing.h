// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QRectF>

class QPainter;

namespace tavora::app {

// The folded dipole bent from one rod, with the measuring points A to I, drawn
// into `area` at any scale (screen, printer or PDF).
void DrawFoldedDipole(QPainter& painter, const QRectF& area);

} // namespace tavora::app
