#include <Inventor/nodes/SoCoordinate3.h>
#include <Inventor/nodes/SoIndexedFaceSet.h>
#include <Inventor/nodes/SoNormal.h>
#include <Inventor/nodes/SoNormalBinding.h>
#include <Inventor/nodes/SoQuadMesh.h>

#include "iv_fill.h"
#include "zav_to_iv.h"

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
    if (normals != nullptr) normal_binding->value = SoNormalBinding::PER_VERTEX_INDEXED;
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
    fill_index_runs(faces->coordIndex, polygons->n_items, polygons->end_indices, polygons->indices);
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
    if (normals != nullptr) normal_binding->value = SoNormalBinding::PER_VERTEX;
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
