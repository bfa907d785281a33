#include "Geometry/rgb_lookup.h"

#include <cmath>

#include "Geometry/colour_pack.h"

const Colour *get_8bit_rgb_pixel_lookup(void) {
    static BOOLEAN first_call = TRUE;
    static Colour lookup[256];

    if (first_call) {
        first_call = FALSE;
        // Each entry sits in the middle of the range of colours mapped to it.
        for (int r = 0; r < 8; ++r)
            for (int g = 0; g < 8; ++g)
                for (int b = 0; b < 4; ++b)
                    lookup[r + 8 * g + 64 * b] =
                        make_Colour(static_cast<int>(std::trunc((r + 0.5) * 256.0 * 0.125)),
                                    static_cast<int>(std::trunc((g + 0.5) * 256.0 * 0.125)),
                                    static_cast<int>(std::trunc((b + 0.5) * 256.0 * 0.25)));
    }
    return lookup;
}

int convert_rgb_pixel_to_8bit_lookup(Colour colour) {
    return get_Colour_r(colour) / 32 + 8 * (get_Colour_g(colour) / 32) +
           64 * (get_Colour_b(colour) / 64);
}
