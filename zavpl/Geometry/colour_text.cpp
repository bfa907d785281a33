#include "Geometry/colour_text.h"

#include <cstdio>

#include "Geometry/colour_names.h"
#include "Geometry/colour_pack.h"
#include "Prog_utils/string_funcs.h"

Colour convert_string_to_colour(const char *string) {
    Colour colour;
    if (string == nullptr) return make_Colour(0, 0, 0);
    if (lookup_colour(string, &colour)) return colour;

    // The first format that converts all of its numbers decides.
    Real r, g, b, a;
    if (sscanf(string, "%lf %lf %lf %lf", &r, &g, &b, &a) == 4 ||
        sscanf(string, "%lf,%lf,%lf,%lf", &r, &g, &b, &a) == 4)
        return make_rgba_Colour_0_1(r, g, b, a);
    if (sscanf(string, "%lf %lf %lf", &r, &g, &b) == 3 ||
        sscanf(string, "%lf,%lf,%lf", &r, &g, &b) == 3)
        return make_Colour_0_1(r, g, b);
    return make_Colour(0, 0, 0);
}

STRING convert_colour_to_string(Colour col) {
    STRING name;
    if (lookup_colour_name(col, &name)) return name;

    char buffer[100];
    snprintf(buffer, sizeof(buffer), "%g %g %g", get_Colour_r_0_1(col), get_Colour_g_0_1(col),
             get_Colour_b_0_1(col));
    return create_string(buffer);
}
