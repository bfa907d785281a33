#include "zav_to_iv.h"

SoSeparator *zav_graphics_file_to_iv(const char *filename) {
    File_formats format;
    int n_objects = 0;
    object_struct **object_list = nullptr;

    if (input_graphics_file(filename, &format, &n_objects, &object_list) != OK) {
        delete_object_list(n_objects, object_list); // what was read before the failure
        return nullptr;
    }
    // The nodes hold copies of every value, so the objects can go now.
    SoSeparator *root = zav_objects_to_iv(n_objects, object_list);
    delete_object_list(n_objects, object_list);
    return root;
}
