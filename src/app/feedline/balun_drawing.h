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

// Where the labels go, as fractions of the picture: the length inside the U,
// the coax type beside the loop's outer curve.
inline constexpr QPointF kBalunLengthLabelAt{0.5, 0.25};
inline constexpr QPointF kBalunCoaxLabelAt{0.0, 0.33};

} // namespace tavora::app
