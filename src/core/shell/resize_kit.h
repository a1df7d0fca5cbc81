// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

// The arithmetic of the form scaler: how a window designed at one size and
// pixel density is laid out at another. The Qt side only walks the controls.
namespace tavora::shell {

struct Bounds {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    bool operator==(const Bounds&) const = default;
};

// Horizontal, vertical and font factors; the font follows the smaller one.
struct Factors {
    double x = 1.0;
    double y = 1.0;
    double font = 1.0;
};

enum class FormPos {
    rpDefault,
    rpTopLeft,
    rpTopCenter,
    rpTopRight,
    rpMiddleLeft,
    rpMiddleCenter,
    rpMiddleRight,
    rpBottomLeft,
    rpBottomCenter,
    rpBottomRight
};

// What a window was designed at: client size and the design screen's density.
struct DesignFrame {
    int width = 0;
    int height = 0;
    int dpiW = 96;
    int dpiH = 96;
};

// Truncation of x + 0.5: halves go up for the positive values involved. A
// value beyond int's range gives its end, a NaN 0.
int RoundHalfUp(double x);

// Load: design units to the current screen (fx = design dpi / screen dpi).
Factors DensityFactors(const DesignFrame& design, double dpiX, double dpiY);
Bounds LoadBounds(const Bounds& b, const Factors& density);
int LoadFontSize(int size, const Factors& density);

// Resize: the factors for a client area of w by h.
Factors ResizeFactors(int w, int h, const DesignFrame& design, double dpiX, double dpiY);
// Every side rounded, none below 1 pixel.
Bounds ScaleBounds(const Bounds& design, const Factors& f);
// Control fonts are truncated (never below 1); the window's own font is rounded.
int ScaleControlFont(int recorded, const Factors& f);
int ScaleWindowFont(int design, const Factors& f);
// Design bounds of a control that appeared after the last resize.
Bounds DesignBoundsOf(const Bounds& current, const Factors& last);
// Name given to the count-th control added at run time without a name.
std::string AddedControlName(int count);

// Outer bounds on first show, inside the usable screen area `work`.
Bounds FirstShowBounds(const Bounds& outer, int formWidth, int formHeight, const Bounds& work,
                       FormPos pos, bool maximised);

// The task windows' shrink: v * 4 / 5 rounded to the nearest.
int FourFifths(int v);

} // namespace tavora::shell
