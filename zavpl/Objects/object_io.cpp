// Type letters and the reading and writing of single objects.

#include "Objects/object_io.h"

#include "Objects/graphics_file.h"
#include "Objects/object_ops.h"
#include "Prog_utils/files.h"
#include "Prog_utils/messages.h"
#include "Prog_utils/string_funcs.h"

namespace {

// Binary letters, indexed by Object_types; ASCII uses their upper case.
const char object_letters[N_OBJECT_TYPES + 1] = "lmfxpqt";

Status io_object_record(FILE *file, IO_types io_flag, File_formats format, object_struct *object) {
    switch (object->object_type) {
    case LINES:
        return io_lines(file, io_flag, format, &object->specific.lines);
    case MARKER:
        return io_marker(file, io_flag, format, &object->specific.marker);
    case MODEL:
        return io_model(file, io_flag, format, &object->specific.model);
    case PIXELS:
        return io_pixels(file, io_flag, format, &object->specific.pixels);
    case POLYGONS:
        return io_polygons(file, io_flag, format, &object->specific.polygons);
    case QUADMESH:
        return io_quadmesh(file, io_flag, format, &object->specific.quadmesh);
    case TEXT:
        return io_text(file, io_flag, format, &object->specific.text);
    default:
        break;
    }
    return ERROR;
}

// A model's objects come from the file it names, relative to directory.
Status input_model_objects(const char *directory, model_struct *model) {
    STRING filename = get_absolute_filename(model->filename, directory);
    File_formats sub_format = BINARY_FORMAT;
    Status status = input_graphics_file(filename, &sub_format, &model->n_objects, &model->objects);
    delete_string(filename);
    return status;
}

} // namespace

Status input_object_type(FILE *file, Object_types *type, File_formats *format, BOOLEAN *eof) {
    char ch;
    if (input_nonwhite_character(file, &ch) != OK) {
        *eof = TRUE;
        return OK;
    }
    *eof = FALSE;
    if (ch >= 'A' && ch <= 'Z') {
        *format = ASCII_FORMAT;
        ch = (char)get_lower_case(ch);
    } else {
        *format = BINARY_FORMAT;
    }
    for (int t = 0; t < N_OBJECT_TYPES; ++t) {
        if (ch == object_letters[t]) {
            *type = (Object_types)t;
            return OK;
        }
    }
    print_error("Unrecognized object type in file.\n");
    return ERROR;
}

// The letter goes out for APPEND_FILE as for WRITE_FILE: an object written
// without it could not be read back.
Status io_object_type(FILE *file, IO_types io_flag, File_formats format, Object_types type) {
    if (io_flag == READ_FILE) return OK;
    if ((int)type < 0 || (int)type >= N_OBJECT_TYPES) {
        print_error("io_object_type: object type %d not handled.\n", (int)type);
        return ERROR;
    }
    char letter = object_letters[type];
    if (format == ASCII_FORMAT) letter = (char)get_upper_case(letter);
    if (output_character(file, letter) != OK) {
        print_error("Error outputting char.\n");
        return ERROR;
    }
    return OK;
}

Status input_object(const char *directory, FILE *file, File_formats *format, object_struct **object,
                    BOOLEAN *eof) {
    *object = nullptr;
    Object_types type;
    File_formats object_format;
    if (input_object_type(file, &type, &object_format, eof) != OK) return ERROR;
    if (*eof) return OK;
    *format = object_format;

    object_struct *new_object = create_object(type);
    if (new_object == nullptr) return ERROR;
    Status status = io_object_record(file, READ_FILE, object_format, new_object);
    if (status == OK && type == MODEL)
        status = input_model_objects(directory, &new_object->specific.model);

    // A partly read object is of no use to anyone: free it here.
    if (status != OK) {
        delete_object(new_object);
        return status;
    }
    *object = new_object;
    return OK;
}

Status output_object(FILE *file, File_formats format, object_struct *object) {
    return io_object_record(file, WRITE_FILE, format, object);
}
