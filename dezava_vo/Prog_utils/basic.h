#ifndef DEZAVA_VO_BASIC_H
#define DEZAVA_VO_BASIC_H

// Types shared by every library of the toolkit.

#include <cstddef>
#include <cstdint>

#ifndef TRUE
#define TRUE 1
#endif
#ifndef FALSE
#define FALSE 0
#endif

typedef double Real;
typedef int BOOLEAN;

// A NUL-terminated heap string with exactly one owner; null counts as empty.
typedef char *STRING;
typedef char *VIO_STR;

typedef enum { OK = 0, ERROR = 1, INTERNAL_ERROR = 2, END_OF_FILE = 3, QUIT = 4 } Status;

typedef enum { READ_FILE = 0, WRITE_FILE = 1, APPEND_FILE = 2 } IO_types;

typedef enum { ASCII_FORMAT = 0, BINARY_FORMAT = 1 } File_formats;

// Geometry is stored in single precision and computed in double precision.
struct Point {
    float coords[3];
};

struct Vector {
    float coords[3];
};

// Red in bits 31..24, green 23..16, blue 15..8, alpha 7..0.
typedef uint32_t Colour;
typedef Colour VIO_Colour;

// Ambient, diffuse, specular, specular exponent, transparency.
struct Surfprop {
    float a;
    float d;
    float s;
    float se;
    float t;
};
typedef Surfprop VIO_Surfprop;

// Spatial axes: x = 0, y = 1, z = 2.
enum { X_AXIS = 0, Y_AXIS = 1, Z_AXIS = 2, N_DIMENSIONS = 3 };

#define Point_x(p) ((p).coords[0])
#define Point_y(p) ((p).coords[1])
#define Point_z(p) ((p).coords[2])
#define Point_coord(p, c) ((p).coords[c])
#define Vector_x(v) ((v).coords[0])
#define Vector_y(v) ((v).coords[1])
#define Vector_z(v) ((v).coords[2])
#define Vector_coord(v, c) ((v).coords[c])

#define fill_Point(p, x, y, z)                                                                     \
    do {                                                                                           \
        (p).coords[0] = (float)(x);                                                                \
        (p).coords[1] = (float)(y);                                                                \
        (p).coords[2] = (float)(z);                                                                \
    } while (0)
#define fill_Vector(v, x, y, z) fill_Point(v, x, y, z)

#endif
