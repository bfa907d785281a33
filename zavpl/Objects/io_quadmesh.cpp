// Quadrilateral meshes in object files.

#include "Geometry/colour_pack.h"
#include "Objects/geometry_io.h"
#include "Objects/object_io.h"
#include "Objects/object_io_checks.h"
#include "Objects/quadmesh.h"
#include "Prog_utils/alloc.h"
#include "Prog_utils/messages.h"
#include "Prog_utils/value_io.h"

namespace {

// Grid sizes read from a file: neither negative, and the grid's points and
// normals within an int's count and within what the file can hold.
Status check_grid(FILE *file, File_formats format, int m, int n) {
    if (m < 0 || n < 0) {
        print_error("Error: negative quadmesh size %d by %d.\n", m, n);
        return ERROR;
    }
    return check_values_fit(file, format, (int64_t)m * n, 2 * sizeof(Point), 6,
                            "quadmesh points and normals");
}

// Vertex normals to write for a mesh without them, computed on a shallow copy.
Vector *computed_normals(const quadmesh_struct *quadmesh) {
    quadmesh_struct copy = *quadmesh;
    copy.normals = nullptr;
    compute_quadmesh_normals(&copy);
    return copy.normals;
}

} // namespace

Status io_quadmesh(FILE *file, IO_types io_flag, File_formats format, quadmesh_struct *quadmesh) {
    if (io_flag == READ_FILE) {
        initialize_quadmesh(quadmesh, make_Colour_0_1(1.0, 1.0, 1.0), nullptr, 0, 0);
        // The colour block brings the colours.
        if (quadmesh->colours != nullptr) FREE(quadmesh->colours);
    } else if (quadmesh->m < 2 || quadmesh->n < 2) {
        return OK;
    }

    int m = quadmesh->m, n = quadmesh->n;
    if (io_object_type(file, io_flag, format, QUADMESH) != OK ||
        io_surfprop(file, io_flag, format, &quadmesh->surfprop) != OK ||
        io_int(file, io_flag, format, &m) != OK || io_int(file, io_flag, format, &n) != OK ||
        io_boolean(file, io_flag, format, &quadmesh->m_closed) != OK ||
        io_boolean(file, io_flag, format, &quadmesh->n_closed) != OK ||
        io_newline(file, io_flag, format) != OK)
        return ERROR;
    if (io_flag == READ_FILE) {
        if (check_grid(file, format, m, n) != OK) return ERROR;
        quadmesh->m_closed = quadmesh->m_closed != FALSE;
        quadmesh->n_closed = quadmesh->n_closed != FALSE;
        quadmesh->m = m;
        quadmesh->n = n;
    }

    // Patches are counted as for an open grid whatever the closed flags.
    int n_points = m * n;
    int n_items = (m - 1) * (n - 1);
    if (io_colours(file, io_flag, format, &quadmesh->colour_flag, n_items, n_points,
                   &quadmesh->colours) != OK ||
        io_newline(file, io_flag, format) != OK ||
        io_points(file, io_flag, format, n_points, &quadmesh->points) != OK ||
        io_newline(file, io_flag, format) != OK)
        return ERROR;

    Status status;
    if (io_flag != READ_FILE && quadmesh->normals == nullptr) {
        Vector *normals = computed_normals(quadmesh);
        status = io_vectors(file, io_flag, format, n_points, &normals);
        if (normals != nullptr) FREE(normals);
    } else {
        status = io_vectors(file, io_flag, format, n_points, &quadmesh->normals);
    }
    if (status != OK) return ERROR;
    return io_newline(file, io_flag, format);
}
