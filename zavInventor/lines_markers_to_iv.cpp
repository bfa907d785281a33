#include <cstdio>

#include <Inventor/nodes/SoCoordinate3.h>
#include <Inventor/nodes/SoCube.h>
#include <Inventor/nodes/SoIndexedLineSet.h>
#include <Inventor/nodes/SoSphere.h>
#include <Inventor/nodes/SoTransform.h>

#include "iv_fill.h"
#include "zav_to_iv.h"

SoSeparator *zav_lines_to_iv(const lines_struct *lines) {
    SoSeparator *group = new SoSeparator;
    SoBaseColor *colour = add_color_nodes(group, lines->colour_flag, first_colour(lines->colours));

    int n_points = lines->points != nullptr ? lines->n_points : 0;
    const Colour *vertex_colours =
        has_vertex_colours(lines->colour_flag, lines->colours) ? lines->colours : nullptr;
    SoCoordinate3 *coordinates = new SoCoordinate3;
    fill_vertices(
        n_points, [](int v) { return v; }, lines->points, nullptr, vertex_colours, coordinates,
        nullptr, colour);
    group->addChild(coordinates);

    SoIndexedLineSet *line_set = new SoIndexedLineSet;
    fill_index_runs(line_set->coordIndex, lines->n_items, lines->end_indices, lines->indices);
    group->addChild(line_set);
    return group;
}

SoSeparator *zav_marker_to_iv(const marker_struct *marker) {
    SoSeparator *group = new SoSeparator;
    add_color_nodes(group, ONE_COLOUR, marker->colour);

    SoTransform *transform = new SoTransform;
    transform->translation = iv_point(marker->position);
    group->addChild(transform);

    float size = (float)marker->size;
    switch (marker->type) {
    case BOX_MARKER: {
        SoCube *cube = new SoCube;
        cube->width = size;
        cube->height = size;
        cube->depth = size;
        group->addChild(cube);
        break;
    }
    case SPHERE_MARKER: {
        SoSphere *sphere = new SoSphere;
        sphere->radius = size;
        group->addChild(sphere);
        break;
    }
    default:
        fprintf(stderr, "Cannot handle marker type %d\n", (int)marker->type);
        fflush(stderr);
        break;
    }
    return group;
}
