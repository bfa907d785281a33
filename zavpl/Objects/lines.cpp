// Polyline sets: initialisation, deletion and building point by point.

#include "Objects/lines.h"

#include <climits>

#include "Objects/bintree.h"
#include "Objects/object_ops.h"
#include "Prog_utils/alloc.h"
#include "Prog_utils/messages.h"

void initialize_lines(lines_struct *lines, Colour col) {
    ALLOC(lines->colours, 1);
    if (lines->colours != nullptr) lines->colours[0] = col;
    lines->colour_flag = ONE_COLOUR;
    lines->line_thickness = 1.0f;
    lines->n_points = 0;
    lines->points = nullptr;
    lines->n_items = 0;
    lines->end_indices = nullptr;
    lines->indices = nullptr;
    lines->bintree = nullptr;
}

void initialize_lines_with_size(lines_struct *lines, Colour col, int size, BOOLEAN closed) {
    initialize_lines(lines, col);
    // Without points there is nothing to index (and no size to wrap around).
    if (size < 1) return;
    int64_t n_indices = closed ? (int64_t)size + 1 : (int64_t)size;
    if (n_indices > INT_MAX) {
        print_error("initialize_lines_with_size: %d points is too many.\n", size);
        return;
    }

    ALLOC(lines->points, size);
    ALLOC(lines->end_indices, 1);
    ALLOC(lines->indices, n_indices);
    if (lines->points == nullptr || lines->end_indices == nullptr || lines->indices == nullptr) {
        delete_lines(lines);
        initialize_lines(lines, col);
        return;
    }
    lines->n_points = size;
    lines->n_items = 1;
    lines->end_indices[0] = (int)n_indices;
    for (int64_t k = 0; k < n_indices; ++k)
        lines->indices[k] = (int)(k % size);
}

void delete_lines(lines_struct *lines) {
    free_colours(lines->colour_flag, lines->colours, lines->n_points, lines->n_items);
    lines->colours = nullptr;
    if (lines->points != nullptr) FREE(lines->points);
    if (lines->end_indices != nullptr) FREE(lines->end_indices);
    if (lines->indices != nullptr) FREE(lines->indices);
    lines->n_points = 0;
    lines->n_items = 0;
    delete_bintree_if_any(&lines->bintree);
}

void start_new_line(lines_struct *lines) {
    int end = lines->n_items > 0 ? lines->end_indices[lines->n_items - 1] : 0;
    ADD_ELEMENT_TO_ARRAY(lines->end_indices, lines->n_items, end, DEFAULT_CHUNK_SIZE);
}

void add_point_to_line(lines_struct *lines, Point *point) {
    if (lines->n_items == 0) start_new_line(lines);
    if (lines->n_items == 0) return;

    int n_indices = lines->end_indices[lines->n_items - 1];
    ADD_ELEMENT_TO_ARRAY(lines->indices, n_indices, lines->n_points, DEFAULT_CHUNK_SIZE);
    lines->end_indices[lines->n_items - 1] = n_indices;
    ADD_ELEMENT_TO_ARRAY(lines->points, lines->n_points, *point, DEFAULT_CHUNK_SIZE);
}
