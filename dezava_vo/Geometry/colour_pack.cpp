#include "Geometry/colour_pack.h"

#include <cmath>

namespace {

constexpr int RED_SHIFT = 24;
constexpr int GREEN_SHIFT = 16;
constexpr int BLUE_SHIFT = 8;
constexpr int ALPHA_SHIFT = 0;

int component(Colour colour, int shift) {
    return static_cast<int>((colour >> shift) & 0xFFu);
}

int component_0_1(Real x) {
    return colour_component_from_real(std::trunc(x * 255.0 + 0.5));
}

} // namespace

int colour_component_from_real(Real value) {
    // Saturating keeps a slightly out-of-range component near its intended
    // value instead of wrapping it to the far end of the scale.
    if (!(value > 0.0)) // also catches NaN
        return 0;
    if (value >= 255.0) return 255;
    return static_cast<int>(value);
}

Colour make_rgba_Colour(int r, int g, int b, int a) {
    return ((static_cast<Colour>(r) & 0xFFu) << RED_SHIFT) |
           ((static_cast<Colour>(g) & 0xFFu) << GREEN_SHIFT) |
           ((static_cast<Colour>(b) & 0xFFu) << BLUE_SHIFT) |
           ((static_cast<Colour>(a) & 0xFFu) << ALPHA_SHIFT);
}

Colour make_Colour(int r, int g, int b) {
    return make_rgba_Colour(r, g, b, 255);
}

int get_Colour_r(Colour colour) {
    return component(colour, RED_SHIFT);
}
int get_Colour_g(Colour colour) {
    return component(colour, GREEN_SHIFT);
}
int get_Colour_b(Colour colour) {
    return component(colour, BLUE_SHIFT);
}
int get_Colour_a(Colour colour) {
    return component(colour, ALPHA_SHIFT);
}

Colour make_Colour_0_1(Real r, Real g, Real b) {
    return make_rgba_Colour_0_1(r, g, b, 1.0);
}

Colour make_rgba_Colour_0_1(Real r, Real g, Real b, Real a) {
    return make_rgba_Colour(component_0_1(r), component_0_1(g), component_0_1(b), component_0_1(a));
}

Real get_Colour_r_0_1(Colour colour) {
    return get_Colour_r(colour) / 255.0;
}
Real get_Colour_g_0_1(Colour colour) {
    return get_Colour_g(colour) / 255.0;
}
Real get_Colour_b_0_1(Colour colour) {
    return get_Colour_b(colour) / 255.0;
}
Real get_Colour_a_0_1(Colour colour) {
    return get_Colour_a(colour) / 255.0;
}

BOOLEAN equal_colours(Colour col1, Colour col2) {
    return col1 == col2 ? TRUE : FALSE;
}
