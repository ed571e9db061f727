#pragma once

#include <QRect>
#include <cmath>

namespace plataforma::twips {

// The suite's forms give their sizes and positions in twips (1/1440 inch),
// and the remembered column widths are stored in them; the screen works in
// pixels at 96 dpi, where one pixel is 15 twips.
inline constexpr int PorPixel = 15;

inline int aPixeles(double twips) { return static_cast<int>(std::lround(twips / PorPixel)); }

inline constexpr int desdePixeles(int pixeles) { return pixeles * PorPixel; }

inline QRect rectangulo(int izquierda, int arriba, int ancho, int alto) {
    return QRect(aPixeles(izquierda), aPixeles(arriba), aPixeles(ancho), aPixeles(alto));
}

}  // namespace plataforma::twips
