#pragma once

#include <cmath>

namespace consultas::twips {

// The lookup windows keep the suite's measures in twips (1/1440 inch), as the
// remembered column widths are stored; the screen works in pixels at 96 dpi,
// where one pixel is 15 twips.
inline constexpr int PorPixel = 15;

inline int aPixeles(double twips) { return static_cast<int>(std::lround(twips / PorPixel)); }

inline constexpr int desdePixeles(int pixeles) { return pixeles * PorPixel; }

}  // namespace consultas::twips
