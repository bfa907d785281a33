#include "Prog_utils/file_open.h"

#include <cstdlib>
#include <fcntl.h>
#include <stdio_ext.h>
#include <string>
#include <unistd.h>

#include "Prog_utils/filename_internal.h"
#include "Prog_utils/filenames.h"
#include "Prog_utils/messages.h"
#include "Prog_utils/string_funcs.h"
#include "vr_run_program.h"

namespace {

const char *open_mode(IO_types io_type, File_formats file_format) {
    bool binary = file_format == BINARY_FORMAT;
    switch (io_type) {
    case WRITE_FILE:
        return binary ? "wb" : "w";
    case APPEND_FILE:
        return binary ? "ab" : "a";
    case READ_FILE:
    default:
        return binary ? "rb" : "r";
    }
}

BOOLEAN has_compressed_ending(const char *name) {
    return string_ends_in(name, ".z") || string_ends_in(name, ".Z") || string_ends_in(name, ".gz");
}

// Runs "<program> -c <compressed>" with its output in output_name.
bool decompress_with(const char *program, const char *compressed, const char *output_name) {
    std::string input_argument = program_argument(compressed);
    const char *argv[] = {program, "-c", input_argument.c_str(), nullptr};
    return vrrun_program(argv, output_name, FALSE) == 0;
}

// Decompresses into a new temporary file and returns its name (free with
// free), or null after writing a message; no temporary file is left then.
char *decompress_to_temporary_file(const char *compressed) {
    char *temporary = get_temporary_filename();
    if (temporary == nullptr) {
        print_error("Error creating a temporary file to uncompress %s into.  ", compressed);
        print_system_error();
        return nullptr;
    }
    if (!decompress_with("gunzip", compressed, temporary) &&
        !decompress_with("bunzip2", compressed, temporary)) {
        print_error("Error uncompressing %s into %s using gunzip and bunzip2\n", compressed,
                    temporary);
        (void)unlink(temporary);
        free(temporary);
        return nullptr;
    }
    return temporary;
}

// open_file on a name that is already expanded.
Status open_expanded_file(const char *expanded, IO_types io_type, File_formats file_format,
                          FILE **file) {
    *file = nullptr;
    const char *mode = open_mode(io_type, file_format);

    STRING compressed = nullptr;
    if (io_type == READ_FILE) {
        if (has_compressed_ending(expanded))
            compressed = create_string(expanded);
        else if (!expanded_file_exists(expanded))
            compressed = find_compressed_variant(expanded);
    }

    char *temporary = nullptr;
    if (compressed != nullptr) {
        temporary = decompress_to_temporary_file(compressed);
        delete_string(compressed);
        if (temporary == nullptr) return ERROR;
    }

    const char *name = temporary != nullptr ? temporary : expanded;
    *file = fopen(name, mode);
    if (*file == nullptr) {
        print_error("Error:  could not open file \"%s\".  ", name);
        print_system_error();
    } else {
        // The process is single-threaded: without stream locking, the
        // ungetc after every number read costs next to nothing.
        (void)__fsetlocking(*file, FSETLOCKING_BYCALLER);
    }
    // The open stream keeps a decompressed copy readable; its name goes now,
    // and the space when the stream is closed.
    if (temporary != nullptr) {
        remove_expanded_file(temporary);
        free(temporary);
    }
    return *file == nullptr ? ERROR : OK;
}

bool stream_was_opened_for_writing(FILE *file) {
    int flags = fcntl(fileno(file), F_GETFL);
    return flags >= 0 && (flags & O_ACCMODE) != O_RDONLY;
}

} // namespace

Status open_file(const char *filename, IO_types io_type, File_formats file_format, FILE **file) {
    *file = nullptr;
    STRING expanded = expand_filename(filename == nullptr ? "" : filename);
    if (expanded == nullptr) return ERROR;
    Status status = open_expanded_file(expanded, io_type, file_format, file);
    delete_string(expanded);
    return status;
}

Status open_file_with_default_suffix(const char *filename, const char *default_suffix,
                                     IO_types io_type, File_formats file_format, FILE **file) {
    *file = nullptr;
    STRING expanded = expand_filename(filename == nullptr ? "" : filename);
    if (expanded == nullptr) return ERROR;

    STRING chosen = nullptr;
    if (filename_has_no_extension(expanded)) {
        if (io_type != READ_FILE) {
            chosen = append_suffix(expanded, default_suffix);
        } else if (!expanded_file_exists(expanded)) {
            STRING suffixed = append_suffix(expanded, default_suffix);
            if (suffixed != nullptr && expanded_file_exists(suffixed))
                chosen = suffixed;
            else
                delete_string(suffixed);
        }
    }

    Status status =
        open_expanded_file(chosen != nullptr ? chosen : expanded, io_type, file_format, file);
    delete_string(chosen);
    delete_string(expanded);
    return status;
}

Status close_file(FILE *file) {
    if (file == nullptr) return ERROR;
    bool written = stream_was_opened_for_writing(file);
    if (fclose(file) != 0 && written) {
        print_error("Error closing file.  ");
        print_system_error();
        return ERROR;
    }
    return OK;
}

Status set_file_position(FILE *file, long byte_position) {
    if (fseek(file, byte_position, SEEK_SET) != 0) {
        print_error("Error setting the file position.  ");
        print_system_error();
        return ERROR;
    }
    return OK;
}

Status flush_file(FILE *file) {
    if (fflush(file) != 0) {
        print_error("Error flushing file.  ");
        print_system_error();
        return ERROR;
    }
    return OK;
}
