#include <Inventor/nodes/SoCoordinate3.h>
#include <Inventor/nodes/SoIndexedFaceSet.h>
#include <Inventor/nodes/SoNormal.h>
#include <Inventor/nodes/SoNormalBinding.h>
#include <Inventor/nodes/SoQuadMesh.h>

#include "iv_values.h"
#include "zav_to_iv.h"

namespace {

// Fills coordinates, normals and per-vertex colours together, entry v from
// the object's point point_index(v), so big meshes are walked once.
template <typename PointIndex>
void fill_vertices(int n_vertices, PointIndex point_index, const Point *points,
                   const Vector *normals, const Colour *colours, SoCoordinate3 *coordinates,
                   SoNormal *normal_node, SoBaseColor *colour_node) {
    coordinates->point.setNum(n_vertices);
    SbVec3f *iv_points = coordinates->point.startEditing();
    SbVec3f *iv_normals = nullptr;
    SbColor *iv_colours = nullptr;
    if (normals != nullptr) {
        normal_node->vector.setNum(n_vertices);
        iv_normals = normal_node->vector.startEditing();
    }
    if (colours != nullptr) {
        colour_node->rgb.setNum(n_vertices);
        iv_colours = colour_node->rgb.startEditing();
    }
    for (int v = 0; v < n_vertices; ++v) {
        int p = point_index(v);
        iv_points[v] = iv_point(points[p]);
        if (iv_normals != nullptr)
            iv_normals[v] = iv_vector(normals[p]);
        if (iv_colours != nullptr)
            iv_colours[v] = iv_colour(colours[p]);
    }
    coordinates->point.finishEditing();
    if (iv_normals != nullptr)
        normal_node->vector.finishEditing();
    if (iv_colours != nullptr)
        colour_node->rgb.finishEditing();
}

} // namespace

SoSeparator *zav_polygons_to_iv(const polygons_struct *polygons) {
    SoSeparator *group = new SoSeparator;
    SoBaseColor *colour =
        add_color_nodes(group, polygons->colour_flag, first_colour(polygons->colours));

    int n_points = polygons->points != nullptr ? polygons->n_points : 0;
    const Vector *normals = n_points > 0 ? polygons->normals : nullptr;
    const Colour *vertex_colours =
        has_vertex_colours(polygons->colour_flag, polygons->colours) ? polygons->colours : nullptr;

    SoNormalBinding *normal_binding = new SoNormalBinding;
    SoNormal *normal_node = new SoNormal;
    normal_node->setName(SbName("Normals"));
    if (normals != nullptr)
        normal_binding->value = SoNormalBinding::PER_VERTEX_INDEXED;
    group->addChild(normal_binding);
    group->addChild(normal_node);

    SoCoordinate3 *coordinates = new SoCoordinate3;
    coordinates->setName(SbName("Vertices"));
    fill_vertices(
        n_points, [](int v) { return v; }, polygons->points, normals, vertex_colours, coordinates,
        normal_node, colour);
    group->addChild(coordinates);

    SoIndexedFaceSet *faces = new SoIndexedFaceSet;
    faces->setName(SbName("Polygons"));
    int n_items = polygons->n_items;
    int n_indices = n_items > 0 ? polygons->end_indices[n_items - 1] : 0;
    faces->coordIndex.setNum(n_indices + n_items);
    int32_t *coord_index = faces->coordIndex.startEditing();
    int k = 0, start = 0;
    for (int i = 0; i < n_items; ++i) {
        for (int p = start; p < polygons->end_indices[i]; ++p)
            coord_index[k++] = polygons->indices[p];
        coord_index[k++] = -1;
        start = polygons->end_indices[i];
    }
    faces->coordIndex.finishEditing();
    group->addChild(faces);
    return group;
}

SoSeparator *zav_quadmesh_to_iv(const quadmesh_struct *quadmesh) {
    SoSeparator *group = new SoSeparator;
    SoBaseColor *colour =
        add_color_nodes(group, quadmesh->colour_flag, first_colour(quadmesh->colours));

    // A mesh without rows or columns has no vertices to emit.
    int m = quadmesh->m, n = quadmesh->n;
    bool empty = m < 1 || n < 1 || quadmesh->points == nullptr;
    int rows = empty ? 0 : (quadmesh->m_closed ? m + 1 : m);
    int cols = empty ? 0 : (quadmesh->n_closed ? n + 1 : n);
    const Vector *normals = empty ? nullptr : quadmesh->normals;
    const Colour *vertex_colours =
        has_vertex_colours(quadmesh->colour_flag, quadmesh->colours) ? quadmesh->colours : nullptr;

    SoNormalBinding *normal_binding = new SoNormalBinding;
    SoNormal *normal_node = new SoNormal;
    if (normals != nullptr)
        normal_binding->value = SoNormalBinding::PER_VERTEX;
    group->addChild(normal_binding);
    group->addChild(normal_node);

    // Vertex v is row r = v / cols, column c = v % cols; the extra row and
    // column of a closed mesh repeat the first ones.
    SoCoordinate3 *coordinates = new SoCoordinate3;
    auto point_index = [m, n, cols](int v) {
        int r = v / cols, c = v % cols;
        int i = r == m ? 0 : r;
        int j = c == n ? 0 : c;
        return i * n + j;
    };
    fill_vertices(rows * cols, point_index, quadmesh->points, normals,
                  empty ? nullptr : vertex_colours, coordinates, normal_node, colour);
    group->addChild(coordinates);

    SoQuadMesh *mesh = new SoQuadMesh;
    mesh->verticesPerRow = cols;
    mesh->verticesPerColumn = rows;
    group->addChild(mesh);
    return group;
}
