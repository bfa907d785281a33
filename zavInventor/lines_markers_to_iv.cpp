#include <cstdio>

#include <Inventor/nodes/SoCoordinate3.h>
#include <Inventor/nodes/SoCube.h>
#include <Inventor/nodes/SoIndexedLineSet.h>
#include <Inventor/nodes/SoSphere.h>
#include <Inventor/nodes/SoTransform.h>

#include "iv_values.h"
#include "zav_to_iv.h"

SoSeparator *zav_lines_to_iv(const lines_struct *lines) {
    SoSeparator *group = new SoSeparator;
    SoBaseColor *colour = add_color_nodes(group, lines->colour_flag, first_colour(lines->colours));

    int n_points = lines->points != nullptr ? lines->n_points : 0;
    bool vertex_colours = has_vertex_colours(lines->colour_flag, lines->colours);
    SoCoordinate3 *coordinates = new SoCoordinate3;
    coordinates->point.setNum(n_points);
    SbVec3f *points = coordinates->point.startEditing();
    SbColor *rgb = nullptr;
    if (vertex_colours) {
        colour->rgb.setNum(n_points);
        rgb = colour->rgb.startEditing();
    }
    for (int v = 0; v < n_points; ++v) {
        points[v] = iv_point(lines->points[v]);
        if (rgb != nullptr)
            rgb[v] = iv_colour(lines->colours[v]);
    }
    coordinates->point.finishEditing();
    if (rgb != nullptr)
        colour->rgb.finishEditing();
    group->addChild(coordinates);

    SoIndexedLineSet *line_set = new SoIndexedLineSet;
    int n_indices = lines->n_items > 0 ? lines->end_indices[lines->n_items - 1] : 0;
    line_set->coordIndex.setNum(n_indices + lines->n_items);
    int32_t *coord_index = line_set->coordIndex.startEditing();
    int k = 0, start = 0;
    for (int i = 0; i < lines->n_items; ++i) {
        for (int p = start; p < lines->end_indices[i]; ++p)
            coord_index[k++] = lines->indices[p];
        coord_index[k++] = -1;
        start = lines->end_indices[i];
    }
    line_set->coordIndex.finishEditing();
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
