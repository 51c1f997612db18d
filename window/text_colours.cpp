#include "text_colours.h"

#include <algorithm>
#include <cmath>

namespace quorvel {
namespace {

// Relative luminance of an sRGB colour, from 0 (black) to 1 (white).
double luminance(const QColor& colour) {
    const auto linear = [](float channel) {
        const double c = channel;
        return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * linear(colour.redF()) + 0.7152 * linear(colour.greenF()) +
           0.0722 * linear(colour.blueF());
}

} // namespace

double contrastRatio(const QColor& a, const QColor& b) {
    const double la = luminance(a);
    const double lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

QColor readableOn(const QColor& wanted, const QColor& background) {
    // Aim a little above the least, so that rounding to 8-bit channels never
    // lands just below it.
    constexpr double kTarget = kLeastTextContrast + 0.05;
    if (contrastRatio(wanted, background) >= kLeastTextContrast) {
        return wanted;
    }
    const QColor hsl = wanted.toHsl();
    const bool lighter =
        contrastRatio(Qt::white, background) > contrastRatio(Qt::black, background);
    float near = hsl.lightnessF();
    float far = lighter ? 1.0f : 0.0f;
    const auto withLightness = [&hsl](float lightness) {
        return QColor::fromHslF(hsl.hslHueF(), hsl.hslSaturationF(), lightness);
    };
    if (contrastRatio(withLightness(far), background) < kTarget) {
        return withLightness(far); // the most this hue can do
    }
    // The contrast grows steadily as the lightness moves away from the background's.
    for (int step = 0; step < 24; ++step) {
        const float middle = (near + far) / 2;
        (contrastRatio(withLightness(middle), background) >= kTarget ? far : near) = middle;
    }
    return withLightness(far);
}

} // namespace quorvel
