#ifndef ZAVINVENTOR_IV_VALUES_H
#define ZAVINVENTOR_IV_VALUES_H

// Conversions of graphics-object values to Inventor field values.

#include <Inventor/SbColor.h>
#include <Inventor/SbVec3f.h>

#include <zavpl.h>

inline SbColor iv_colour(Colour colour) {
    return SbColor((float)get_Colour_r_0_1(colour), (float)get_Colour_g_0_1(colour),
                   (float)get_Colour_b_0_1(colour));
}

inline SbVec3f iv_point(const Point &point) {
    return SbVec3f(Point_x(point), Point_y(point), Point_z(point));
}

inline SbVec3f iv_vector(const Vector &vector) {
    return SbVec3f(Vector_x(vector), Vector_y(vector), Vector_z(vector));
}

// The object's first colour, or opaque white when it carries none.
inline Colour first_colour(const Colour *colours) {
    return colours != nullptr ? colours[0] : make_rgba_Colour(255, 255, 255, 255);
}

// The per-vertex colour of point v when the object has one per point.
inline bool has_vertex_colours(Colour_flags flag, const Colour *colours) {
    return flag == PER_VERTEX_COLOURS && colours != nullptr;
}

#endif
