// Operations over an object and everything below it: bounding box and normal
// reversal.

#include "Geometry/point_geometry.h"
#include "Objects/object_ops.h"
#include "Objects/traverse.h"

BOOLEAN get_range_of_object(object_struct *object, BOOLEAN visible_ones_only, Point *min_corner,
                            Point *max_corner) {
    BOOLEAN found = FALSE;
    object_traverse_struct object_traverse;
    initialize_object_traverse(&object_traverse, visible_ones_only, 1, &object);

    object_struct *current;
    while (get_next_object_traverse(&object_traverse, &current)) {
        Point *points = nullptr;
        int n_points = get_object_points(current, &points);
        if (n_points <= 0 || points == nullptr) continue;
        Point min_obj, max_obj;
        get_range_points(n_points, points, &min_obj, &max_obj);
        if (!found) {
            *min_corner = min_obj;
            *max_corner = max_obj;
            found = TRUE;
        } else {
            expand_min_and_max_points(min_corner, max_corner, &min_obj, &max_obj);
        }
    }
    return found;
}

void reverse_object_normals(object_struct *object) {
    object_traverse_struct object_traverse;
    initialize_object_traverse(&object_traverse, FALSE, 1, &object);

    object_struct *current;
    while (get_next_object_traverse(&object_traverse, &current)) {
        Vector *normals = nullptr;
        int n_normals = get_object_normals(current, &normals);
        if (n_normals > 0 && normals != nullptr) reverse_vectors(n_normals, normals);
    }
}
