// Generic object operations: creation, kind records, and the operations that
// dispatch through the per-kind table.

#include "Objects/object_ops.h"

#include <cstring>

#include "Prog_utils/alloc.h"
#include "Prog_utils/messages.h"

namespace {

// The table row of the object's kind, or null (after an internal error) for an
// object whose type is not one of the seven.
const object_functions_list *functions_of(object_struct *object, const char *caller) {
    if (object == nullptr || (int)object->object_type < 0 ||
        (int)object->object_type >= N_OBJECT_TYPES) {
        handle_internal_error(caller);
        return nullptr;
    }
    return &object_functions[object->object_type];
}

bool is_kind(object_struct *object, Object_types type, const char *caller) {
    if (object == nullptr || object->object_type != type) {
        handle_internal_error(caller);
        return false;
    }
    return true;
}

} // namespace

object_struct *create_object(Object_types object_type) {
    object_struct *object;
    ALLOC(object, 1);
    if (object == nullptr) return nullptr;
    // The record is the caller's to fill, but an all-zero one (no arrays, no
    // strings) can still be deleted safely if the caller stops early.
    memset(&object->specific, 0, sizeof(object->specific));
    object->object_type = object_type;
    object->visibility = TRUE;
    return object;
}

Object_types get_object_type(object_struct *object) {
    return object->object_type;
}

BOOLEAN get_object_visibility(object_struct *object) {
    return object->visibility;
}

void set_object_visibility(object_struct *object, BOOLEAN visibility) {
    object->visibility = visibility;
}

lines_struct *get_lines_ptr(object_struct *object) {
    return is_kind(object, LINES, "get_lines_ptr") ? &object->specific.lines : nullptr;
}

marker_struct *get_marker_ptr(object_struct *object) {
    return is_kind(object, MARKER, "get_marker_ptr") ? &object->specific.marker : nullptr;
}

model_struct *get_model_ptr(object_struct *object) {
    return is_kind(object, MODEL, "get_model_ptr") ? &object->specific.model : nullptr;
}

pixels_struct *get_pixels_ptr(object_struct *object) {
    return is_kind(object, PIXELS, "get_pixels_ptr") ? &object->specific.pixels : nullptr;
}

polygons_struct *get_polygons_ptr(object_struct *object) {
    return is_kind(object, POLYGONS, "get_polygons_ptr") ? &object->specific.polygons : nullptr;
}

quadmesh_struct *get_quadmesh_ptr(object_struct *object) {
    return is_kind(object, QUADMESH, "get_quadmesh_ptr") ? &object->specific.quadmesh : nullptr;
}

text_struct *get_text_ptr(object_struct *object) {
    return is_kind(object, TEXT, "get_text_ptr") ? &object->specific.text : nullptr;
}

int get_object_points(object_struct *object, Point **points) {
    const object_functions_list *functions = functions_of(object, "get_object_points");
    return functions == nullptr ? 0 : functions->get_points_function(object, points);
}

int get_object_normals(object_struct *object, Vector **normals) {
    const object_functions_list *functions = functions_of(object, "get_object_normals");
    if (functions == nullptr) {
        *normals = nullptr;
        return 0;
    }
    return functions->get_normals_function(object, normals);
}

Colour_flags *get_object_colours(object_struct *object, Colour **colours) {
    const object_functions_list *functions = functions_of(object, "get_object_colours");
    if (functions == nullptr) {
        *colours = nullptr;
        return nullptr;
    }
    return functions->get_colours_function(object, colours);
}

void set_object_colours(object_struct *object, Colour *colours) {
    const object_functions_list *functions = functions_of(object, "set_object_colours");
    if (functions != nullptr) functions->set_colours_function(object, colours);
}

Surfprop *get_object_surfprop(object_struct *object) {
    const object_functions_list *functions = functions_of(object, "get_object_surfprop");
    return functions == nullptr ? nullptr : functions->get_surfprop_function(object);
}

STRING get_object_name(object_struct *object) {
    const object_functions_list *functions = functions_of(object, "get_object_name");
    return functions == nullptr ? nullptr : functions->get_name_function(object);
}

void delete_object(object_struct *object) {
    if (object == nullptr) return;
    const object_functions_list *functions = functions_of(object, "delete_object");
    if (functions != nullptr) functions->delete_function(object);
    FREE(object);
}

BOOLEAN get_object_colour(object_struct *object, Colour *colour) {
    Colour *colours;
    Colour_flags *colour_flag = get_object_colours(object, &colours);
    if (colour_flag != nullptr && *colour_flag != ONE_COLOUR) return FALSE;
    if (colours == nullptr) return FALSE;
    *colour = colours[0];
    return TRUE;
}

void set_object_colour(object_struct *object, Colour col) {
    Colour *colours;
    Colour_flags *colour_flag = get_object_colours(object, &colours);
    if (colour_flag != nullptr && *colour_flag != ONE_COLOUR) {
        *colour_flag = ONE_COLOUR;
        if (colours != nullptr) FREE(colours);
        ALLOC(colours, 1);
        set_object_colours(object, colours);
    }
    if (colours != nullptr) colours[0] = col;
}

void set_object_surfprop(object_struct *object, Surfprop *spr) {
    Surfprop *surfprop = get_object_surfprop(object);
    if (surfprop != nullptr) *surfprop = *spr;
}

void free_colours(Colour_flags colour_flag, Colour colours[], int n_points, int n_items) {
    (void)colour_flag;
    (void)n_points;
    (void)n_items;
    // Whatever the flag and counts, a colour array that exists is owned by the
    // record being freed; one that does not exist is not freed.
    if (colours != nullptr) FREE(colours);
}

int get_n_colours(Colour_flags colour_flag, int n_points, int n_items) {
    switch (colour_flag) {
    case ONE_COLOUR:
        return 1;
    case PER_ITEM_COLOURS:
        return n_items;
    case PER_VERTEX_COLOURS:
        return n_points;
    }
    print_error("invalid colour flag\n");
    return 0;
}

BOOLEAN objects_are_same_topology(int n_points1, int n_items1, const int *end_indices1,
                                  const int *indices1, int n_points2, int n_items2,
                                  const int *end_indices2, const int *indices2) {
    if (n_points1 != n_points2 || n_items1 != n_items2) return FALSE;
    if (n_items1 <= 0) return TRUE;
    for (int i = 0; i < n_items1; ++i) {
        if (end_indices1[i] != end_indices2[i]) return FALSE;
    }
    for (int i = 0; i < end_indices1[n_items1 - 1]; ++i) {
        if (indices1[i] != indices2[i]) return FALSE;
    }
    return TRUE;
}
