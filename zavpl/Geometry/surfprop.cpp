#include "Geometry/surfprop.h"

void get_default_surfprop(Surfprop *surfprop) {
    surfprop->a = 0.3f;
    surfprop->d = 0.3f;
    surfprop->s = 0.4f;
    surfprop->se = 10.0f;
    surfprop->t = 1.0f;
}
