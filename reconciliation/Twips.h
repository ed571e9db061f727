#pragma once

#include <QRect>
#include <cmath>

namespace conciliacion::twips {

// The window's design sizes are kept in twips, as the suite's forms give them;
// the screen works in pixels at 96 dpi, where one pixel is 15 twips.
inline constexpr int PorPixel = 15;

inline int aPixeles(int twips) {
    return static_cast<int>(std::lround(static_cast<double>(twips) / PorPixel));
}

inline constexpr int desdePixeles(int pixeles) { return pixeles * PorPixel; }

inline QRect rectangulo(int izquierda, int arriba, int ancho, int alto) {
    return QRect(aPixeles(izquierda), aPixeles(arriba), aPixeles(ancho), aPixeles(alto));
}

}  // namespace conciliacion::twips
