#ifndef ZAVINVENTOR_H
#define ZAVINVENTOR_H

// Graphics objects to Open Inventor nodes, and volume slices to textures.

#include <zavpl.h>

#include "zav_to_iv.h"

#endif
