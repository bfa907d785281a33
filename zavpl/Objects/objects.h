#ifndef ZAVPL_OBJECTS_H
#define ZAVPL_OBJECTS_H

// The graphics object record, the seven kind records it embeds, the per-kind
// function table and the traversal records. Operations live beside their
// topic (object_ops.h, models.h, traverse.h, polygons.h, lines.h, ...).

#include "Prog_utils/basic.h"

// A signed byte: per-polygon visibilities and interior flags.
typedef signed char Smallest_int;

// The kinds, flags and types below are read from files as ints: a fixed
// underlying type keeps a damaged value representable, so the checks that
// reject it are well defined.

typedef enum : int {
    LINES = 0,
    MARKER = 1,
    MODEL = 2,
    PIXELS = 3,
    POLYGONS = 4,
    QUADMESH = 5,
    TEXT = 6,
    N_OBJECT_TYPES = 7
} Object_types;

// How many colours an object carries: 1, one per item, or one per point.
typedef enum : int { ONE_COLOUR = 0, PER_ITEM_COLOURS = 1, PER_VERTEX_COLOURS = 2 } Colour_flags;

typedef enum : int { BOX_MARKER = 0, SPHERE_MARKER = 1, N_MARKER_TYPES = 2 } Marker_types;

typedef enum : int {
    COLOUR_INDEX_8BIT_PIXEL = 0,
    COLOUR_INDEX_16BIT_PIXEL = 1,
    RGB_PIXEL = 2
} Pixel_types;

typedef enum : int { FIXED_FONT = 0, SIZED_FONT = 1 } Font_types;

// Spatial index records. Nothing here builds them; deletion goes through the
// hook of bintree.h.
struct range_struct {
    float limits[2][3]; // minimum and maximum corner
};

struct bintree_node_struct {
    unsigned char node_info;
    float split_position;
    union {
        bintree_node_struct **children;
        int *object_list;
    } data;
};

struct bintree_struct {
    range_struct range;
    int n_nodes;
    bintree_node_struct *root;
};

struct object_struct;

// A set of polylines sharing one point array. Item i uses indices from
// end_indices[i - 1] (0 for the first item) up to, not including, end_indices[i].
struct lines_struct {
    Colour_flags colour_flag;
    Colour *colours; // 1, n_items or n_points entries per colour_flag
    float line_thickness;
    int n_points;
    Point *points;
    int n_items;
    int *end_indices;
    int *indices;
    bintree_struct *bintree;
};

struct marker_struct {
    Marker_types type;
    Colour colour;
    Point position;
    Real size;
    STRING label; // owned; may be null or empty
    int structure_id;
    int patient_id;
};

// A model owns its objects, its filename and the application's extra block.
struct model_struct {
    STRING filename;
    int n_objects;
    object_struct **objects;
    void *extra_ptr;
};

// x_size by y_size pixels; pixel (x, y) at x + y * x_size of the member that
// matches pixel_type.
struct pixels_struct {
    int x_position;
    int y_position;
    int x_size;
    int y_size;
    Real x_zoom;
    Real y_zoom;
    Pixel_types pixel_type;
    union {
        unsigned char *pixels_8bit_colour_index;
        unsigned short *pixels_16bit_colour_index;
        Colour *pixels_rgb;
    } data;
};

struct polygons_struct {
    Colour_flags colour_flag;
    Colour *colours;
    Surfprop surfprop;
    float line_thickness;
    int n_points;
    Point *points;
    Vector *normals; // null or one per point
    int n_items;
    int *end_indices;
    int *indices;
    Smallest_int *visibilities; // null or one per polygon
    int *neighbours;            // null or one per entry of indices
    bintree_struct *bintree;
};

// An m by n grid of points; point (i, j) at position i * n + j.
struct quadmesh_struct {
    Colour_flags colour_flag;
    Colour *colours;
    Surfprop surfprop;
    BOOLEAN m_closed;
    BOOLEAN n_closed;
    int m;
    int n;
    Point *points;
    Vector *normals; // null or m * n entries
    bintree_struct *bintree;
};

struct text_struct {
    Point origin;
    Colour colour;
    Font_types font;
    Real size;
    STRING string; // owned
};

struct object_struct {
    Object_types object_type;
    BOOLEAN visibility;
    union {
        lines_struct lines;
        marker_struct marker;
        model_struct model;
        pixels_struct pixels;
        polygons_struct polygons;
        quadmesh_struct quadmesh;
        text_struct text;
    } specific;
};

// One row per object type of the per-kind function table.
struct object_functions_list {
    int (*get_points_function)(object_struct *object, Point **points);
    int (*get_normals_function)(object_struct *object, Vector **normals);
    Colour_flags *(*get_colours_function)(object_struct *object, Colour **colours);
    void (*set_colours_function)(object_struct *object, Colour *colours);
    Surfprop *(*get_surfprop_function)(object_struct *object);
    STRING (*get_name_function)(object_struct *object);
    void (*delete_function)(object_struct *object);
};

// Indexed by object_type.
extern const object_functions_list object_functions[N_OBJECT_TYPES];

// Depth-first traversal of object lists.
struct object_stack_struct {
    int index; // next position to return
    int n_objects;
    object_struct **object_list;
};

#define MAX_OBJECT_TRAVERSE 100

struct object_traverse_struct {
    BOOLEAN visible_ones_only;
    int n_stack_alloced; // room in the stack in use
    int top_of_stack;    // number of entries
    object_stack_struct *stack;
    object_stack_struct static_stack[MAX_OBJECT_TRAVERSE];
    object_stack_struct *alloced_stack; // heap stack once the inner room is full
};

#endif
