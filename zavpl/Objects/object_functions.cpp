// The per-kind function table: how each kind answers the generic object
// operations of object_ops.h.

#include <cstdio>

#include "Objects/lines.h"
#include "Objects/markers.h"
#include "Objects/models.h"
#include "Objects/objects.h"
#include "Objects/pixels.h"
#include "Objects/polygons.h"
#include "Objects/quadmesh.h"
#include "Objects/text.h"
#include "Prog_utils/string_funcs.h"

namespace {

// Names are cut at this length rather than overrunning the buffer.
constexpr size_t NAME_BUFFER_LENGTH = 10000;

const char *text_or_empty(const char *text) {
    return text == nullptr ? "" : text;
}

// Kinds without normals, colours or surface properties.
int no_normals(object_struct *, Vector **normals) {
    *normals = nullptr;
    return 0;
}

Colour_flags *no_colours(object_struct *, Colour **colours) {
    *colours = nullptr;
    return nullptr;
}

void no_set_colours(object_struct *, Colour *) {}

Surfprop *no_surfprop(object_struct *) {
    return nullptr;
}

int no_points(object_struct *, Point **) {
    return 0;
}

// ---- lines

int lines_points(object_struct *object, Point **points) {
    *points = object->specific.lines.points;
    return object->specific.lines.n_points;
}

Colour_flags *lines_colours(object_struct *object, Colour **colours) {
    *colours = object->specific.lines.colours;
    return &object->specific.lines.colour_flag;
}

void lines_set_colours(object_struct *object, Colour *colours) {
    object->specific.lines.colours = colours;
}

STRING lines_name(object_struct *object) {
    char buffer[NAME_BUFFER_LENGTH];
    snprintf(buffer, sizeof(buffer), "Lines (%d:%d)", object->specific.lines.n_items,
             object->specific.lines.n_points);
    return create_string(buffer);
}

void lines_delete(object_struct *object) {
    delete_lines(&object->specific.lines);
}

// ---- markers

int marker_points(object_struct *object, Point **points) {
    *points = &object->specific.marker.position;
    return 1;
}

Colour_flags *marker_colours(object_struct *object, Colour **colours) {
    *colours = &object->specific.marker.colour;
    return nullptr;
}

STRING marker_name(object_struct *object) {
    const marker_struct *marker = &object->specific.marker;
    const char *label = string_length(marker->label) == 0 ? "Marker" : marker->label;
    char buffer[NAME_BUFFER_LENGTH];
    snprintf(buffer, sizeof(buffer), "%s:%d:%d: (%g %g %g)", label, marker->patient_id,
             marker->structure_id, (double)Point_x(marker->position),
             (double)Point_y(marker->position), (double)Point_z(marker->position));
    return create_string(buffer);
}

void marker_delete(object_struct *object) {
    delete_marker(&object->specific.marker);
}

// ---- models

STRING model_name(object_struct *object) {
    char buffer[NAME_BUFFER_LENGTH];
    snprintf(buffer, sizeof(buffer), "Model (%s) ->",
             text_or_empty(object->specific.model.filename));
    return create_string(buffer);
}

void model_delete(object_struct *object) {
    delete_model(&object->specific.model);
}

// ---- pixels

STRING pixels_name(object_struct *object) {
    char buffer[NAME_BUFFER_LENGTH];
    snprintf(buffer, sizeof(buffer), "Pixels (%d by %d)", object->specific.pixels.x_size,
             object->specific.pixels.y_size);
    return create_string(buffer);
}

void pixels_delete(object_struct *object) {
    delete_pixels(&object->specific.pixels);
}

// ---- polygons

int polygons_points(object_struct *object, Point **points) {
    *points = object->specific.polygons.points;
    return object->specific.polygons.n_points;
}

// A mesh without a normal array has no normals, whatever its point count.
int polygons_normals(object_struct *object, Vector **normals) {
    *normals = object->specific.polygons.normals;
    return *normals == nullptr ? 0 : object->specific.polygons.n_points;
}

Colour_flags *polygons_colours(object_struct *object, Colour **colours) {
    *colours = object->specific.polygons.colours;
    return &object->specific.polygons.colour_flag;
}

void polygons_set_colours(object_struct *object, Colour *colours) {
    object->specific.polygons.colours = colours;
}

Surfprop *polygons_surfprop(object_struct *object) {
    return &object->specific.polygons.surfprop;
}

STRING polygons_name(object_struct *object) {
    char buffer[NAME_BUFFER_LENGTH];
    snprintf(buffer, sizeof(buffer), "Polygons (%d:%d)", object->specific.polygons.n_items,
             object->specific.polygons.n_points);
    return create_string(buffer);
}

void polygons_delete(object_struct *object) {
    delete_polygons(&object->specific.polygons);
}

// ---- quadmeshes

int quadmesh_points(object_struct *object, Point **points) {
    *points = object->specific.quadmesh.points;
    return object->specific.quadmesh.m * object->specific.quadmesh.n;
}

int quadmesh_normals(object_struct *object, Vector **normals) {
    *normals = object->specific.quadmesh.normals;
    return *normals == nullptr ? 0 : object->specific.quadmesh.m * object->specific.quadmesh.n;
}

Colour_flags *quadmesh_colours(object_struct *object, Colour **colours) {
    *colours = object->specific.quadmesh.colours;
    return &object->specific.quadmesh.colour_flag;
}

void quadmesh_set_colours(object_struct *object, Colour *colours) {
    object->specific.quadmesh.colours = colours;
}

Surfprop *quadmesh_surfprop(object_struct *object) {
    return &object->specific.quadmesh.surfprop;
}

STRING quadmesh_name(object_struct *object) {
    char buffer[NAME_BUFFER_LENGTH];
    snprintf(buffer, sizeof(buffer), "Quadmesh [%d][%d]", object->specific.quadmesh.m,
             object->specific.quadmesh.n);
    return create_string(buffer);
}

void quadmesh_delete(object_struct *object) {
    delete_quadmesh(&object->specific.quadmesh);
}

// ---- text

int text_points(object_struct *object, Point **points) {
    *points = &object->specific.text.origin;
    return 1;
}

Colour_flags *text_colours(object_struct *object, Colour **colours) {
    *colours = &object->specific.text.colour;
    return nullptr;
}

STRING text_name(object_struct *object) {
    char buffer[NAME_BUFFER_LENGTH];
    snprintf(buffer, sizeof(buffer), "Text (%s)", text_or_empty(object->specific.text.string));
    return create_string(buffer);
}

void text_delete(object_struct *object) {
    delete_text(&object->specific.text);
}

} // namespace

const object_functions_list object_functions[N_OBJECT_TYPES] = {
    // LINES
    {lines_points, no_normals, lines_colours, lines_set_colours, no_surfprop, lines_name,
     lines_delete},
    // MARKER
    {marker_points, no_normals, marker_colours, no_set_colours, no_surfprop, marker_name,
     marker_delete},
    // MODEL
    {no_points, no_normals, no_colours, no_set_colours, no_surfprop, model_name, model_delete},
    // PIXELS
    {no_points, no_normals, no_colours, no_set_colours, no_surfprop, pixels_name, pixels_delete},
    // POLYGONS
    {polygons_points, polygons_normals, polygons_colours, polygons_set_colours, polygons_surfprop,
     polygons_name, polygons_delete},
    // QUADMESH
    {quadmesh_points, quadmesh_normals, quadmesh_colours, quadmesh_set_colours, quadmesh_surfprop,
     quadmesh_name, quadmesh_delete},
    // TEXT
    {text_points, no_normals, text_colours, no_set_colours, no_surfprop, text_name, text_delete},
};
