#include "Geometry/colour_ops.h"

#include <cmath>

#include "Geometry/colour_pack.h"

int get_colour_distance(int r, int g, int b, Colour c2) {
    int dr = r - get_Colour_r(c2);
    int dg = g - get_Colour_g(c2);
    int db = b - get_Colour_b(c2);
    return dr * dr + dg * dg + db * db;
}

int find_closest_colour(int r, int g, int b, int n_colours, const Colour colours[]) {
    int best = -1;
    int best_distance = 0;
    for (int i = 0; i < n_colours; ++i) {
        int distance = get_colour_distance(r, g, b, colours[i]);
        if (best < 0 || distance < best_distance) {
            best = i;
            best_distance = distance;
        }
    }
    return best;
}

int get_Colour_luminance(Colour colour) {
    return static_cast<int>(std::floor(0.299 * get_Colour_r(colour) + 0.587 * get_Colour_g(colour) +
                                       0.114 * get_Colour_b(colour) + 0.5));
}

Colour scale_colour(Colour colour, Real factor) {
    auto scaled = [factor](int component) {
        return colour_component_from_real(std::floor(component * factor + 0.5));
    };
    return make_rgba_Colour(scaled(get_Colour_r(colour)), scaled(get_Colour_g(colour)),
                            scaled(get_Colour_b(colour)), get_Colour_a(colour));
}
