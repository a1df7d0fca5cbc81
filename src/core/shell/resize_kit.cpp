// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/resize_kit.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <limits>

namespace tavora::shell {

namespace {

// A double outside int's range does not convert (the behaviour is undefined);
// a window shrunk to nothing gives infinite factors, so clamp instead.
int TruncatedToInt(double x)
{
    if (std::isnan(x))
        return 0;
    const double low = std::numeric_limits<int>::min();
    const double high = std::numeric_limits<int>::max();
    return static_cast<int>(std::trunc(std::clamp(x, low, high)));
}

} // namespace

int RoundHalfUp(double x)
{
    return TruncatedToInt(x + 0.5);
}

Factors DensityFactors(const DesignFrame& design, double dpiX, double dpiY)
{
    const double fx = design.dpiW / dpiX;
    const double fy = design.dpiH / dpiY;
    return {fx, fy, std::min(fx, fy)};
}

Bounds LoadBounds(const Bounds& b, const Factors& density)
{
    return {RoundHalfUp(b.left / density.x), RoundHalfUp(b.top / density.y),
            RoundHalfUp(b.width / density.x), RoundHalfUp(b.height / density.y)};
}

int LoadFontSize(int size, const Factors& density)
{
    return RoundHalfUp(size / density.x);
}

Factors ResizeFactors(int w, int h, const DesignFrame& design, double dpiX, double dpiY)
{
    const double sx = static_cast<double>(w) / design.width * (design.dpiW / dpiX);
    const double sy = static_cast<double>(h) / design.height * (design.dpiH / dpiY);
    return {sx, sy, std::min(sx, sy)};
}

Bounds ScaleBounds(const Bounds& design, const Factors& f)
{
    const auto atLeastOne = [](int v) { return v == 0 ? 1 : v; };
    return {atLeastOne(RoundHalfUp(design.left * f.x)), atLeastOne(RoundHalfUp(design.top * f.y)),
            atLeastOne(RoundHalfUp(design.width * f.x)),
            atLeastOne(RoundHalfUp(design.height * f.y))};
}

int ScaleControlFont(int recorded, const Factors& f)
{
    const int size = TruncatedToInt(recorded * f.font);
    return size == 0 ? 1 : size;
}

int ScaleWindowFont(int design, const Factors& f)
{
    return RoundHalfUp(design * f.font);
}

Bounds DesignBoundsOf(const Bounds& current, const Factors& last)
{
    return {RoundHalfUp(current.left / last.x), RoundHalfUp(current.top / last.y),
            RoundHalfUp(current.width / last.x), RoundHalfUp(current.height / last.y)};
}

std::string AddedControlName(int count)
{
    char digits[16];
    std::snprintf(digits, sizeof digits, "%.4d", count);
    return std::string("RKitAdd") + digits;
}

Bounds FirstShowBounds(const Bounds& outer, int formWidth, int formHeight, const Bounds& work,
                       FormPos pos, bool maximised)
{
    if (maximised)
        return outer;
    Bounds b = outer;
    if (formWidth > 0 && formHeight > 0) {
        b.width = formWidth;
        b.height = formHeight;
    } else {
        b.width = outer.width + 1;
        b.height = outer.height + 1;
    }
    b.width = std::min(b.width, work.width);
    b.height = std::min(b.height, work.height);

    const int freeW = work.width - b.width;
    const int freeH = work.height - b.height;
    switch (pos) {
    case FormPos::rpTopLeft:
    case FormPos::rpMiddleLeft:
    case FormPos::rpBottomLeft:
        b.left = work.left;
        break;
    case FormPos::rpTopCenter:
    case FormPos::rpMiddleCenter:
    case FormPos::rpBottomCenter:
        b.left = work.left + freeW / 2;
        break;
    case FormPos::rpTopRight:
    case FormPos::rpMiddleRight:
    case FormPos::rpBottomRight:
        b.left = work.left + freeW;
        break;
    case FormPos::rpDefault:
        b.left = std::min(b.left, work.left + freeW);
        break;
    }
    switch (pos) {
    case FormPos::rpTopLeft:
    case FormPos::rpTopCenter:
    case FormPos::rpTopRight:
        b.top = work.top;
        break;
    case FormPos::rpMiddleLeft:
    case FormPos::rpMiddleCenter:
    case FormPos::rpMiddleRight:
        b.top = work.top + freeH / 2;
        break;
    case FormPos::rpBottomLeft:
    case FormPos::rpBottomCenter:
    case FormPos::rpBottomRight:
        b.top = work.top + freeH;
        break;
    case FormPos::rpDefault:
        b.top = std::min(b.top, work.top + freeH);
        break;
    }
    b.left = std::max(b.left, 0);
    b.top = std::max(b.top, 0);
    return b;
}

int FourFifths(int v)
{
    // Rounded to the nearest, halves away from zero, like a MulDiv.
    const int scaled = v * 4;
    return scaled >= 0 ? (scaled + 2) / 5 : -((-scaled + 2) / 5);
}

} // namespace tavora::shell
