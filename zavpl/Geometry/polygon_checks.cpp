// Internal: bounds checks for mesh topology code.

#include "Geometry/polygon_checks.h"

#include "Prog_utils/messages.h"

int polygons_n_indices(const polygons_struct *polygons) {
    if (polygons->n_items <= 0 || polygons->end_indices == nullptr) return 0;
    return polygons->end_indices[polygons->n_items - 1];
}

bool polygon_run(const polygons_struct *polygons, int poly, int *start, int *size) {
    if (poly < 0 || poly >= polygons->n_items || polygons->end_indices == nullptr) return false;
    int first = poly == 0 ? 0 : polygons->end_indices[poly - 1];
    int end = polygons->end_indices[poly];
    if (first < 0 || end < first || end > polygons_n_indices(polygons)) return false;
    if (end > first && polygons->indices == nullptr) return false;
    *start = first;
    *size = end - first;
    return true;
}

bool check_polygons_structure(const polygons_struct *polygons, const char *caller) {
    bool ok = polygons->n_items >= 0 && polygons->n_points >= 0;
    if (ok && polygons->n_items > 0) {
        ok = polygons->end_indices != nullptr;
        int previous = 0;
        for (int i = 0; ok && i < polygons->n_items; ++i) {
            ok = polygons->end_indices[i] >= previous;
            previous = polygons->end_indices[i];
        }
        if (ok && previous > 0) ok = polygons->indices != nullptr;
        for (int k = 0; ok && k < previous; ++k)
            ok = polygons->indices[k] >= 0 && polygons->indices[k] < polygons->n_points;
        if (ok && polygons->n_points > 0) ok = polygons->points != nullptr;
    }
    if (!ok) print_error("%s: inconsistent polygon end indices or point indices.\n", caller);
    return ok;
}
