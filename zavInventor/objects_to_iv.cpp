#include <cstdio>

#include "zav_to_iv.h"

namespace {

// Notes about objects that are not converted go straight to standard error.
SoSeparator *skip(const char *note) {
    fprintf(stderr, "%s\n", note);
    fflush(stderr);
    return nullptr;
}

SoSeparator *convert_object(object_struct *object) {
    switch (get_object_type(object)) {
    case LINES:
        return zav_lines_to_iv(get_lines_ptr(object));
    case MARKER:
        return zav_marker_to_iv(get_marker_ptr(object));
    case MODEL:
        return zav_model_to_iv(get_model_ptr(object));
    case PIXELS:
        return zav_pixels_to_iv(get_pixels_ptr(object));
    case POLYGONS:
        return zav_polygons_to_iv(get_polygons_ptr(object));
    case QUADMESH:
        return zav_quadmesh_to_iv(get_quadmesh_ptr(object));
    case TEXT:
        return zav_text_to_iv(get_text_ptr(object));
    default:
        fprintf(stderr, "ZAV object type %d not handled.\n", (int)get_object_type(object));
        fflush(stderr);
        return nullptr;
    }
}

} // namespace

SoSeparator *zav_model_to_iv(const model_struct *) {
    return skip("Skipping model object.");
}

SoSeparator *zav_pixels_to_iv(const pixels_struct *) {
    return skip("Skipping pixels object.");
}

SoSeparator *zav_text_to_iv(const text_struct *) {
    return skip("Skipping text object.");
}

SoSeparator *zav_objects_to_iv(int n_objects, object_struct **object_list) {
    SoSeparator *root = new SoSeparator;
    for (int i = 0; i < n_objects; ++i) {
        if (SoSeparator *group = convert_object(object_list[i])) root->addChild(group);
    }
    return root;
}
