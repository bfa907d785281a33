// Polygon meshes: initialisation, deletion, copying, colours and visibilities,
// building polygon by polygon, and per-polygon queries.

#include "Objects/polygons.h"

#include <climits>
#include <cstring>

#include "Geometry/surfprop.h"
#include "Objects/bintree.h"
#include "Objects/object_ops.h"
#include "Prog_utils/alloc.h"
#include "Prog_utils/messages.h"

namespace {

int polygon_start(const polygons_struct *polygons, int poly) {
    return poly == 0 ? 0 : polygons->end_indices[poly - 1];
}

int n_indices_of(const polygons_struct *polygons) {
    return polygons->n_items > 0 ? polygons->end_indices[polygons->n_items - 1] : 0;
}

// A new array holding a copy of n elements of src; null when n is 0.
template <typename T> T *copy_array(const T *src, int n) {
    T *copy = nullptr;
    if (n > 0 && src != nullptr) {
        ALLOC(copy, n);
        if (copy != nullptr) memcpy(copy, src, (size_t)n * sizeof(T));
    }
    return copy;
}

} // namespace

void initialize_polygons(polygons_struct *polygons, Colour col, Surfprop *spr) {
    ALLOC(polygons->colours, 1);
    if (polygons->colours != nullptr) polygons->colours[0] = col;
    polygons->colour_flag = ONE_COLOUR;
    if (spr != nullptr)
        polygons->surfprop = *spr;
    else
        get_default_surfprop(&polygons->surfprop);
    polygons->line_thickness = 1.0f;
    polygons->n_points = 0;
    polygons->points = nullptr;
    polygons->normals = nullptr;
    polygons->n_items = 0;
    polygons->end_indices = nullptr;
    polygons->indices = nullptr;
    polygons->visibilities = nullptr;
    polygons->neighbours = nullptr;
    polygons->bintree = nullptr;
}

void initialize_polygons_with_size(polygons_struct *polygons, Colour col, Surfprop *spr,
                                   int n_points, int n_polygons, int size) {
    initialize_polygons(polygons, col, spr);
    int64_t n_indices = (int64_t)n_polygons * (int64_t)size;
    if (n_points < 1 || n_polygons < 1 || size < 1 || n_indices > INT_MAX) {
        print_error("initialize_polygons_with_size: invalid sizes %d points, %d polygons of %d.\n",
                    n_points, n_polygons, size);
        return;
    }

    ALLOC(polygons->points, n_points);
    ALLOC(polygons->normals, n_points);
    ALLOC(polygons->end_indices, n_polygons);
    ALLOC(polygons->indices, n_indices);
    if (polygons->points == nullptr || polygons->normals == nullptr ||
        polygons->end_indices == nullptr || polygons->indices == nullptr) {
        delete_polygons(polygons);
        initialize_polygons(polygons, col, spr);
        return;
    }
    polygons->n_points = n_points;
    polygons->n_items = n_polygons;
    for (int i = 0; i < n_polygons; ++i)
        polygons->end_indices[i] = (i + 1) * size;
}

void delete_polygons(polygons_struct *polygons) {
    free_colours(polygons->colour_flag, polygons->colours, polygons->n_points, polygons->n_items);
    polygons->colours = nullptr;
    if (polygons->points != nullptr) FREE(polygons->points);
    if (polygons->normals != nullptr) FREE(polygons->normals);
    if (polygons->end_indices != nullptr) FREE(polygons->end_indices);
    if (polygons->indices != nullptr) FREE(polygons->indices);
    if (polygons->visibilities != nullptr) FREE(polygons->visibilities);
    polygons->n_points = 0;
    polygons->n_items = 0;
    free_polygon_neighbours(polygons);
    delete_bintree_if_any(&polygons->bintree);
}

void free_polygon_neighbours(polygons_struct *polygons) {
    if (polygons->neighbours != nullptr) FREE(polygons->neighbours);
    polygons->neighbours = nullptr;
}

void copy_polygons(polygons_struct *src, polygons_struct *dest) {
    *dest = *src;
    dest->colours =
        copy_array(src->colours, get_n_colours(src->colour_flag, src->n_points, src->n_items));
    dest->points = copy_array(src->points, src->n_points);
    dest->normals = copy_array(src->normals, src->n_points);
    dest->end_indices = copy_array(src->end_indices, src->n_items);
    dest->indices = copy_array(src->indices, n_indices_of(src));
    dest->visibilities = nullptr;
    dest->neighbours = nullptr;
    dest->bintree = nullptr;
}

void set_polygon_per_item_colours(polygons_struct *polygons) {
    if (polygons->colour_flag == PER_ITEM_COLOURS) return;
    Colour first = polygons->colours != nullptr ? polygons->colours[0] : 0;
    Colour *colours = nullptr;
    if (polygons->n_items > 0) {
        ALLOC(colours, polygons->n_items);
        if (colours == nullptr) return;
        for (int i = 0; i < polygons->n_items; ++i)
            colours[i] = first;
    }
    free_colours(polygons->colour_flag, polygons->colours, polygons->n_points, polygons->n_items);
    polygons->colours = colours;
    polygons->colour_flag = PER_ITEM_COLOURS;
}

void create_polygons_visibilities(polygons_struct *polygons) {
    if (polygons->visibilities != nullptr || polygons->n_items <= 0) return;
    ALLOC(polygons->visibilities, polygons->n_items);
    if (polygons->visibilities != nullptr)
        memset(polygons->visibilities, 1, (size_t)polygons->n_items);
}

void set_polygons_visibilities(polygons_struct *polygons, BOOLEAN state) {
    if (polygons->visibilities == nullptr) return;
    for (int i = 0; i < polygons->n_items; ++i)
        polygons->visibilities[i] = (Smallest_int)state;
}

void start_new_polygon(polygons_struct *polygons) {
    int end = n_indices_of(polygons);
    ADD_ELEMENT_TO_ARRAY(polygons->end_indices, polygons->n_items, end, DEFAULT_CHUNK_SIZE);
}

void add_point_to_polygon(polygons_struct *polygons, Point *point, Vector *normal) {
    if (polygons->n_items == 0) start_new_polygon(polygons);
    if (polygons->n_items == 0) return;

    bool has_normals = polygons->normals != nullptr;
    if (polygons->n_points > 1 && (normal != nullptr) != has_normals)
        print_error("Error: be consistent with normals in add_point_to_polygon.\n");

    int n_indices = n_indices_of(polygons);
    ADD_ELEMENT_TO_ARRAY(polygons->indices, n_indices, polygons->n_points, DEFAULT_CHUNK_SIZE);
    polygons->end_indices[polygons->n_items - 1] = n_indices;

    // The normal array, when there is one, keeps one entry per point: a first
    // normal after normal-less points starts it with zero vectors, and a point
    // given without a normal gets a zero vector.
    if (normal != nullptr && !has_normals && polygons->n_points > 0) {
        SET_ARRAY_SIZE(polygons->normals, 0, polygons->n_points, DEFAULT_CHUNK_SIZE);
        if (polygons->normals != nullptr)
            memset(polygons->normals, 0, (size_t)polygons->n_points * sizeof(Vector));
    }
    if (normal != nullptr || has_normals) {
        Vector zero;
        fill_Vector(zero, 0.0, 0.0, 0.0);
        int n_normals = polygons->n_points;
        ADD_ELEMENT_TO_ARRAY(polygons->normals, n_normals, normal != nullptr ? *normal : zero,
                             DEFAULT_CHUNK_SIZE);
    }
    ADD_ELEMENT_TO_ARRAY(polygons->points, polygons->n_points, *point, DEFAULT_CHUNK_SIZE);
}

int get_polygon_size(const polygons_struct *polygons, int poly) {
    return polygons->end_indices[poly] - polygon_start(polygons, poly);
}

int get_polygon_points(const polygons_struct *polygons, int poly, Point points[]) {
    int start = polygon_start(polygons, poly);
    int size = polygons->end_indices[poly] - start;
    for (int k = 0; k < size; ++k)
        points[k] = polygons->points[polygons->indices[start + k]];
    return size;
}

void get_polygon_centroid(const polygons_struct *polygons, int poly, Point *centroid) {
    int start = polygon_start(polygons, poly);
    int size = polygons->end_indices[poly] - start;
    float sum[3] = {0.0f, 0.0f, 0.0f};
    for (int k = 0; k < size; ++k) {
        const Point &p = polygons->points[polygons->indices[start + k]];
        for (int c = 0; c < 3; ++c)
            sum[c] += p.coords[c];
    }
    if (size <= 0) {
        fill_Point(*centroid, 0.0, 0.0, 0.0);
        return;
    }
    Real scale = 1.0 / (Real)size;
    fill_Point(*centroid, sum[0] * scale, sum[1] * scale, sum[2] * scale);
}

int find_vertex_index(const polygons_struct *polygons, int poly, int point_index) {
    int start = polygon_start(polygons, poly);
    int size = polygons->end_indices[poly] - start;
    for (int k = 0; k < size; ++k) {
        if (polygons->indices[start + k] == point_index) return k;
    }
    return -1;
}

int find_edge_index(const polygons_struct *polygons, int poly, int point_index1, int point_index2) {
    int start = polygon_start(polygons, poly);
    int size = polygons->end_indices[poly] - start;
    for (int k = 0; k < size; ++k) {
        int a = polygons->indices[start + k];
        int b = polygons->indices[start + (k + 1) % size];
        if ((a == point_index1 && b == point_index2) || (a == point_index2 && b == point_index1))
            return k;
    }
    return -1;
}

BOOLEAN find_polygon_with_edge(const polygons_struct *polygons, int point_index1, int point_index2,
                               int *poly_containing_edge, int *edge_index) {
    for (int poly = 0; poly < polygons->n_items; ++poly) {
        *edge_index = find_edge_index(polygons, poly, point_index1, point_index2);
        if (*edge_index >= 0) {
            *poly_containing_edge = poly;
            return TRUE;
        }
    }
    return FALSE;
}

BOOLEAN find_polygon_with_vertex(const polygons_struct *polygons, int point_index, int *poly_index,
                                 int *vertex_index) {
    BOOLEAN found = FALSE;
    for (int poly = 0; poly < polygons->n_items; ++poly) {
        int k = find_vertex_index(polygons, poly, point_index);
        if (k >= 0) {
            *poly_index = poly;
            *vertex_index = k;
            found = TRUE;
        }
    }
    return found;
}

BOOLEAN lookup_polygon_vertex(const polygons_struct *polygons, Point *point, int *point_index) {
    for (int i = 0; i < polygons->n_points; ++i) {
        const Point &p = polygons->points[i];
        if (p.coords[0] == point->coords[0] && p.coords[1] == point->coords[1] &&
            p.coords[2] == point->coords[2]) {
            *point_index = i;
            return TRUE;
        }
    }
    return FALSE;
}

BOOLEAN polygons_are_same_topology(polygons_struct *p1, polygons_struct *p2) {
    return objects_are_same_topology(p1->n_points, p1->n_items, p1->end_indices, p1->indices,
                                     p2->n_points, p2->n_items, p2->end_indices, p2->indices);
}
