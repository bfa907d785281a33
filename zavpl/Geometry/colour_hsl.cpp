#include "Geometry/colour_hsl.h"

#include <algorithm>
#include <cmath>

#include "Geometry/colour_pack.h"

void rgb_to_hsl(Real r, Real g, Real b, Real *h, Real *s, Real *l) {
    // Hue and saturation are undefined for black and greys; 0 keeps callers
    // from reading whatever their variables held.
    *h = 0.0;
    *s = 0.0;

    Real v = std::max(std::max(r, g), b);
    Real m = std::min(std::min(r, g), b);
    *l = (m + v) * 0.5;
    if (*l <= 0.0) return;

    Real vm = v - m;
    *s = vm;
    if (vm <= 0.0) return;

    *s = (*l <= 0.5) ? vm / (v + m) : vm / (2.0 - v - m);

    Real r2 = (v - r) / vm;
    Real g2 = (v - g) / vm;
    Real b2 = (v - b) / vm;

    Real hue;
    if (r == v)
        hue = (g == m) ? 5.0 + b2 : 1.0 - g2;
    else if (g == v)
        hue = (b == m) ? 1.0 + r2 : 3.0 - b2;
    else
        hue = (r == m) ? 3.0 + g2 : 5.0 - r2;
    *h = hue / 6.0;
}

void hsl_to_rgb(Real h, Real sl, Real l, Real *r, Real *g, Real *b) {
    Real v = (l <= 0.5) ? l * (1.0 + sl) : l + sl - l * sl;
    if (v <= 0.0) {
        *r = *g = *b = 0.0;
        return;
    }

    Real m = l + l - v;
    Real sv = (v - m) / v;
    Real h6 = h * 6.0;
    // A hue outside [0, 1] names the same colour as its wrapped value; this
    // also keeps the sextant within 0..6 for any input.
    if (!std::isfinite(h6))
        h6 = 0.0;
    else if (h6 < 0.0 || h6 >= 7.0) {
        h6 = std::fmod(h6, 6.0);
        if (h6 < 0.0) h6 += 6.0;
        if (h6 >= 6.0) h6 = 0.0;
    }
    int sextant = static_cast<int>(h6);
    Real fract = h6 - sextant;
    Real vsf = v * sv * fract;
    Real mid1 = m + vsf;
    Real mid2 = v - vsf;

    switch (sextant) {
    case 0:
    case 6:
        *r = v, *g = mid1, *b = m;
        break;
    case 1:
        *r = mid2, *g = v, *b = m;
        break;
    case 2:
        *r = m, *g = v, *b = mid1;
        break;
    case 3:
        *r = m, *g = mid2, *b = v;
        break;
    case 4:
        *r = mid1, *g = m, *b = v;
        break;
    default:
        *r = v, *g = m, *b = mid2;
        break;
    }
}

void convert_colour_to_hsl(Colour rgb, Colour *hsl) {
    Real h, s, l;
    rgb_to_hsl(get_Colour_r_0_1(rgb), get_Colour_g_0_1(rgb), get_Colour_b_0_1(rgb), &h, &s, &l);
    *hsl = make_Colour_0_1(h, s, l);
}

void convert_colour_to_rgb(Colour hsl, Colour *rgb) {
    Real r, g, b;
    hsl_to_rgb(get_Colour_r_0_1(hsl), get_Colour_g_0_1(hsl), get_Colour_b_0_1(hsl), &r, &g, &b);
    *rgb = make_Colour_0_1(r, g, b);
}
