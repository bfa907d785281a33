#include "Prog_utils/filenames.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <pwd.h>
#include <string>

#include "Prog_utils/filename_internal.h"
#include "Prog_utils/string_funcs.h"
#include "vr_tempfile.h"

namespace {

// The endings of compressed files, in the order every test uses.
const char *const compressed_endings[] = {".z", ".Z", ".gz"};

// The value of a "~" or "$" reference, or null when it cannot be resolved.
const char *reference_value(char marker, const std::string &name) {
    if (marker == '$') return getenv(name.c_str());
    if (name.empty()) return getenv("HOME");
    struct passwd *entry = getpwnam(name.c_str());
    return entry == nullptr ? nullptr : entry->pw_dir;
}

STRING expanded_or_empty(const char *filename) {
    return expand_filename(filename == nullptr ? "" : filename);
}

} // namespace

STRING expand_filename(const char *filename) {
    std::string expanded;
    bool escaped = false;
    size_t i = 0;
    for (;;) {
        char ch = filename[i];
        if (ch == '\\' && !escaped) {
            escaped = true;
            ++i;
            continue;
        }
        if (!escaped && ((ch == '~' && i == 0) || ch == '$')) {
            size_t name_end = i + 1;
            while (filename[name_end] != '\0' && filename[name_end] != '.' &&
                   filename[name_end] != '/')
                ++name_end;
            const char *value =
                reference_value(ch, std::string(filename + i + 1, name_end - i - 1));
            if (value != nullptr) {
                expanded += value;
                i = name_end;
                continue;
            }
            // Unresolved: the marker stays and the name is read as plain text.
        }
        escaped = false;
        if (ch == '\0') break;
        expanded += ch;
        ++i;
    }
    return create_string(expanded.c_str());
}

BOOLEAN filename_has_no_extension(const char *name) {
    const char *slash = strrchr(name, '/');
    const char *base = slash == nullptr ? name : slash + 1;
    return strchr(base, '.') == nullptr;
}

BOOLEAN expanded_file_exists(const char *name) {
    FILE *file = fopen(name, "r");
    if (file == nullptr) return FALSE;
    (void)fclose(file);
    return TRUE;
}

STRING find_compressed_variant(const char *name) {
    for (const char *ending : compressed_endings) {
        STRING candidate = concat_strings(name, ending);
        if (candidate != nullptr && expanded_file_exists(candidate)) return candidate;
        delete_string(candidate);
    }
    return nullptr;
}

STRING append_suffix(const char *name, const char *suffix) {
    std::string joined = std::string(name) + "." + (suffix == nullptr ? "" : suffix);
    return create_string(joined.c_str());
}

std::string program_argument(const char *name) {
    return name[0] == '-' ? std::string("./") + name : std::string(name);
}

BOOLEAN file_exists(const char *filename) {
    STRING expanded = expanded_or_empty(filename);
    BOOLEAN exists = expanded != nullptr && expanded_file_exists(expanded);
    delete_string(expanded);
    return exists;
}

BOOLEAN file_exists_as_compressed(const char *filename, STRING *compressed_filename) {
    STRING expanded = expanded_or_empty(filename);
    STRING found = expanded == nullptr ? nullptr : find_compressed_variant(expanded);
    delete_string(expanded);
    if (found == nullptr) return FALSE;
    if (*compressed_filename == filename) delete_string(*compressed_filename);
    *compressed_filename = found;
    return TRUE;
}

BOOLEAN filename_extension_matches(const char *filename, const char *extension) {
    STRING expanded = expanded_or_empty(filename);
    if (expanded == nullptr) return FALSE;
    std::string name(expanded);
    delete_string(expanded);

    for (const char *ending : compressed_endings) {
        size_t length = strlen(ending);
        if (name.size() >= length && name.compare(name.size() - length, length, ending) == 0)
            name.resize(name.size() - length);
    }
    std::string wanted = std::string(".") + (extension == nullptr ? "" : extension);
    return name.size() >= wanted.size() &&
           name.compare(name.size() - wanted.size(), wanted.size(), wanted) == 0;
}

STRING remove_directories_from_filename(const char *filename) {
    STRING expanded = expanded_or_empty(filename);
    if (expanded == nullptr) return nullptr;
    const char *slash = strrchr(expanded, '/');
    STRING base = create_string(slash == nullptr ? expanded : slash + 1);
    delete_string(expanded);
    return base;
}

STRING extract_directory(const char *filename) {
    STRING expanded = expanded_or_empty(filename);
    if (expanded == nullptr) return nullptr;
    const char *slash = strrchr(expanded, '/');
    STRING directory;
    if (slash == nullptr) {
        directory = create_string(".");
    } else {
        directory = create_string(std::string(expanded, (size_t)(slash - expanded) + 1).c_str());
    }
    delete_string(expanded);
    return directory;
}

BOOLEAN file_directory_exists(const char *filename) {
    STRING directory = extract_directory(filename);
    BOOLEAN exists = string_length(directory) == 0 || expanded_file_exists(directory);
    delete_string(directory);
    return exists;
}

STRING get_absolute_filename(const char *filename, const char *directory) {
    STRING expanded = expanded_or_empty(filename);
    if (expanded == nullptr || expanded[0] == '/' || string_length(directory) == 0) return expanded;
    std::string absolute(directory);
    if (absolute.back() != '/') absolute += '/';
    absolute += expanded;
    delete_string(expanded);
    return create_string(absolute.c_str());
}

char *get_temporary_filename(void) {
    return vrcreate_tempfile();
}
