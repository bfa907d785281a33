// Model objects in object files: only the name of the file holding the
// model's objects (read by input_object).

#include "Objects/models.h"
#include "Objects/object_io.h"
#include "Prog_utils/string_funcs.h"
#include "Prog_utils/value_io.h"

Status io_model(FILE *file, IO_types io_flag, File_formats format, model_struct *model) {
    if (io_flag == READ_FILE) {
        initialize_model(model);
        // The name read replaces the empty one.
        delete_string(model->filename);
        model->filename = nullptr;
    }
    if (io_object_type(file, io_flag, format, MODEL) != OK ||
        io_quoted_string(file, io_flag, format, &model->filename) != OK)
        return ERROR;
    return io_newline(file, io_flag, format);
}
