#ifndef ZAVPL_SURFPROP_H
#define ZAVPL_SURFPROP_H

// Surface properties of shaded objects.

#include "Prog_utils/basic.h"

// Ambient 0.3, diffuse 0.3, specular 0.4, specular exponent 10, transparency 1.
void get_default_surfprop(Surfprop *surfprop);

#endif
