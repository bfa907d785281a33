// Quadrilateral meshes: initialisation, deletion, point access and patches.

#include "Objects/quadmesh.h"

#include <climits>
#include <utility>

#include "Geometry/surfprop.h"
#include "Objects/bintree.h"
#include "Objects/object_ops.h"
#include "Prog_utils/alloc.h"
#include "Prog_utils/messages.h"

void initialize_quadmesh(quadmesh_struct *quadmesh, Colour col, Surfprop *spr, int m, int n) {
    ALLOC(quadmesh->colours, 1);
    if (quadmesh->colours != nullptr) quadmesh->colours[0] = col;
    quadmesh->colour_flag = ONE_COLOUR;
    if (spr != nullptr)
        quadmesh->surfprop = *spr;
    else
        get_default_surfprop(&quadmesh->surfprop);
    quadmesh->m_closed = FALSE;
    quadmesh->n_closed = FALSE;
    quadmesh->points = nullptr;
    quadmesh->normals = nullptr;
    quadmesh->bintree = nullptr;

    if ((int64_t)m * (int64_t)n > INT_MAX) {
        print_error("initialize_quadmesh: a %d by %d grid is too large.\n", m, n);
        m = 0;
        n = 0;
    }
    quadmesh->m = m;
    quadmesh->n = n;
    if (m > 0 && n > 0) {
        ALLOC(quadmesh->points, m * n);
        ALLOC(quadmesh->normals, m * n);
        if (quadmesh->points == nullptr || quadmesh->normals == nullptr) {
            if (quadmesh->points != nullptr) FREE(quadmesh->points);
            if (quadmesh->normals != nullptr) FREE(quadmesh->normals);
            quadmesh->m = 0;
            quadmesh->n = 0;
        }
    }
}

void delete_quadmesh(quadmesh_struct *quadmesh) {
    free_colours(quadmesh->colour_flag, quadmesh->colours, quadmesh->m * quadmesh->n,
                 (quadmesh->m - 1) * (quadmesh->n - 1));
    quadmesh->colours = nullptr;
    if (quadmesh->points != nullptr) FREE(quadmesh->points);
    if (quadmesh->normals != nullptr) FREE(quadmesh->normals);
    delete_bintree_if_any(&quadmesh->bintree);
}

void set_quadmesh_point(quadmesh_struct *quadmesh, int i, int j, Point *point, Vector *normal) {
    if (!(0 <= i && i < quadmesh->m)) {
        handle_internal_error("0 <= i && i < quadmesh->m");
        return;
    }
    if (!(0 <= j && j < quadmesh->n)) {
        handle_internal_error("0 <= j && j < quadmesh->n");
        return;
    }
    int index = i * quadmesh->n + j;
    quadmesh->points[index] = *point;
    if (normal != nullptr && quadmesh->normals != nullptr) quadmesh->normals[index] = *normal;
}

BOOLEAN get_quadmesh_point(const quadmesh_struct *quadmesh, int i, int j, Point *point) {
    if (i < 0 || i >= quadmesh->m || j < 0 || j >= quadmesh->n) return FALSE;
    *point = quadmesh->points[i * quadmesh->n + j];
    return TRUE;
}

void get_quadmesh_n_objects(const quadmesh_struct *quadmesh, int *mp, int *np) {
    *mp = quadmesh->m_closed ? quadmesh->m : quadmesh->m - 1;
    *np = quadmesh->n_closed ? quadmesh->n : quadmesh->n - 1;
}

void get_quadmesh_patch_indices(const quadmesh_struct *quadmesh, int i, int j, int indices[4]) {
    int m = quadmesh->m;
    int n = quadmesh->n;
    // An empty grid has no patches, and nothing to wrap around.
    if (m <= 0 || n <= 0) {
        handle_internal_error("get_quadmesh_patch_indices");
        for (int k = 0; k < 4; ++k)
            indices[k] = -1;
        return;
    }
    indices[0] = i * n + j;
    indices[1] = ((i + 1) % m) * n + j;
    indices[2] = ((i + 1) % m) * n + (j + 1) % n;
    indices[3] = i * n + (j + 1) % n;
}

void get_quadmesh_patch(const quadmesh_struct *quadmesh, int i, int j, Point points[4]) {
    int indices[4];
    get_quadmesh_patch_indices(quadmesh, i, j, indices);
    for (int k = 0; k < 4; ++k) {
        if (indices[k] >= 0) points[k] = quadmesh->points[indices[k]];
    }
}

void reverse_quadmesh_vertices(quadmesh_struct *quadmesh) {
    int n = quadmesh->n;
    for (int i = 0; i < quadmesh->m; ++i) {
        for (int j = 0; j < n / 2; ++j) {
            std::swap(quadmesh->points[i * n + j], quadmesh->points[i * n + n - 1 - j]);
            if (quadmesh->normals != nullptr)
                std::swap(quadmesh->normals[i * n + j], quadmesh->normals[i * n + n - 1 - j]);
        }
    }
}
