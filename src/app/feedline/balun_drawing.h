// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QRectF>
#include <QSizeF>

class QPainter;

namespace tavora::app {

// The picture's own size; it is drawn stretched into any rectangle.
inline constexpr QSizeF kBalunDrawingSize{396, 201};

// The half-wave coax 4:1 balun: feed coax, the U-shaped loop open to the
// right, bonded and grounded shields, and the two balanced terminals.
void DrawBalun(QPainter& painter, const QRectF& area);

// Where the labels go, as fractions of the picture: the length centred inside
// the U; the coax type a third of the way down, ending left of the loop's
// outer curve (whose shield reaches in to 85.5 of the 396 across).
inline constexpr QPointF kBalunLengthLabelAt{0.5, 0.25};
inline constexpr QPointF kBalunCoaxLabelAt{84.0 / 396, 0.33};

} // namespace tavora::app
