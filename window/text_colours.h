#pragma once

#include <QColor>

// Text in a fixed colour stays readable whatever the desktop's colours: the
// colour the window was designed with is kept where it reads well enough on the
// background, as on the light backgrounds it was drawn for; on others (a dark
// theme) it gives way to the nearest colour of the same hue that does.
namespace quorvel {

// The least contrast for text: 4.5 to 1, as accessibility guidelines ask of
// normal-size text.
inline constexpr double kLeastTextContrast = 4.5;

// The contrast ratio of two colours, from 1 (the same) to 21 (black on white).
double contrastRatio(const QColor& a, const QColor& b);

// `wanted` where it reaches kLeastTextContrast on `background`; otherwise the
// colour of the same hue and saturation, lighter or darker, that reaches it
// with the least change of lightness.
QColor readableOn(const QColor& wanted, const QColor& background);

} // namespace quorvel
