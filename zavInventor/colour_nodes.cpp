#include <cstdio>

#include <Inventor/nodes/SoMaterialBinding.h>

#include "iv_values.h"
#include "zav_to_iv.h"

SoBaseColor *add_color_nodes(SoGroup *root, Colour_flags zav_colour_flag, Colour zav_colour) {
    SoMaterialBinding *binding = new SoMaterialBinding;
    SoBaseColor *colour = new SoBaseColor;

    switch (zav_colour_flag) {
    case ONE_COLOUR:
        binding->value = SoMaterialBinding::OVERALL;
        colour->rgb.set1Value(0, iv_colour(zav_colour));
        break;
    case PER_VERTEX_COLOURS:
        binding->value = SoMaterialBinding::PER_VERTEX_INDEXED;
        break;
    default:
        fprintf(stderr, "Unable to handle ZAV colour flag: %d\n", (int)zav_colour_flag);
        fflush(stderr);
        break;
    }

    root->addChild(binding);
    root->addChild(colour);
    return colour;
}
