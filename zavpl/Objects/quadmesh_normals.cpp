// Vertex normals of quadrilateral meshes, from each point's grid neighbours.

#include <cmath>
#include <cstring>
#include <utility>

#include "Objects/polygon_normals.h"
#include "Objects/quadmesh.h"
#include "Prog_utils/alloc.h"
#include "Prog_utils/messages.h"
#include "Prog_utils/progress.h"

void compute_quadmesh_normals(quadmesh_struct *quadmesh) {
    const int m = quadmesh->m;
    const int n = quadmesh->n;
    if (m <= 0 || n <= 0) return;
    if (quadmesh->normals == nullptr) {
        ALLOC(quadmesh->normals, m * n);
        if (quadmesh->normals == nullptr) return;
    }
    memset(quadmesh->normals, 0, (size_t)m * (size_t)n * sizeof(Vector));

    // The four grid neighbours in loop order; the closed flags do not wrap them.
    static const int neighbour_offsets[4][2] = {{0, -1}, {1, 0}, {0, 1}, {-1, 0}};

    progress_struct progress;
    initialize_progress_report(&progress, FALSE, m, "Computing Normals");
    for (int i = 0; i < m; ++i) {
        for (int j = 0; j < n; ++j) {
            Point loop[4];
            int n_loop = 0;
            bool present[4];
            for (int k = 0; k < 4; ++k) {
                int ni = i + neighbour_offsets[k][0];
                int nj = j + neighbour_offsets[k][1];
                present[k] = ni >= 0 && ni < m && nj >= 0 && nj < n;
                if (present[k]) loop[n_loop++] = quadmesh->points[ni * n + nj];
            }
            // With two neighbours the point itself closes the triangle, in the
            // gap left by the missing ones so the loop keeps the grid's winding.
            // Only the last corner's gap is not at the end of the loop.
            if (n_loop == 2) {
                loop[n_loop++] = quadmesh->points[i * n + j];
                if (present[0] && present[3]) std::swap(loop[1], loop[2]);
            }
            if (n_loop < 3) {
                handle_internal_error("compute_quadmesh_normals");
                continue;
            }

            Vector *normal = &quadmesh->normals[i * n + j];
            find_polygon_normal(n_loop, loop, normal);
            Real x = Vector_x(*normal), y = Vector_y(*normal), z = Vector_z(*normal);
            Real length = std::sqrt(x * x + y * y + z * z);
            if (length != 0.0) {
                Real scale = 1.0 / length;
                fill_Vector(*normal, x * scale, y * scale, z * scale);
            }
        }
        update_progress_report(&progress, i + 1);
    }
    terminate_progress_report(&progress);
}
