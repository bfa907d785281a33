#include "Prog_utils/file_overwrite.h"

#include <cstdio>
#include <cstring>
#include <string>

#include "Prog_utils/char_io.h"
#include "Prog_utils/filename_internal.h"
#include "Prog_utils/filenames.h"
#include "Prog_utils/messages.h"
#include "Prog_utils/string_funcs.h"
#include "Prog_utils/time_funcs.h"

namespace {

bool is_blank_tab_or_newline(char ch) {
    return ch == ' ' || ch == '\t' || ch == '\n';
}

// Trailing blanks go; then blanks become "_" and ":" becomes "-" in the part
// after the last "/" only, so the backup stays in the file's own directory.
std::string cleaned_backup_name(std::string candidate) {
    while (!candidate.empty() && is_blank_tab_or_newline(candidate.back()))
        candidate.pop_back();
    size_t slash = candidate.rfind('/');
    size_t start = slash == std::string::npos ? 0 : slash + 1;
    for (size_t i = start; i < candidate.size(); ++i) {
        if (is_blank_tab_or_newline(candidate[i]))
            candidate[i] = '_';
        else if (candidate[i] == ':')
            candidate[i] = '-';
    }
    return candidate;
}

std::string first_free_backup_name(const char *expanded, const char *date) {
    std::string stem = std::string(expanded) + "." + date + ".bkp";
    std::string candidate = cleaned_backup_name(stem);
    for (int n = 1; expanded_file_exists(candidate.c_str()); ++n)
        candidate = cleaned_backup_name(stem + "_" + std::to_string(n));
    return candidate;
}

BOOLEAN check_clobber_expanded(const char *expanded) {
    if (!expanded_file_exists(expanded)) return TRUE;

    print("File <%s> exists, do you wish to overwrite (y or n): ", expanded);
    char answer = 'n';
    char ch;
    while (input_character(stdin, &ch) == OK) {
        if (ch == '\n') {
            print("  Please type y or n: ");
        } else if (ch == 'y' || ch == 'Y' || ch == 'n' || ch == 'N') {
            answer = ch;
            break;
        }
    }
    (void)input_newline(stdin);
    return answer == 'y' || answer == 'Y';
}

} // namespace

Status make_backup_file(const char *filename, STRING *backup_filename) {
    *backup_filename = nullptr;
    STRING expanded = expand_filename(filename == nullptr ? "" : filename);
    if (expanded == nullptr) return ERROR;
    if (!expanded_file_exists(expanded)) {
        delete_string(expanded);
        return OK;
    }

    STRING date = get_date();
    std::string backup = first_free_backup_name(expanded, date == nullptr ? "" : date);
    delete_string(date);

    Status status =
        copy_expanded_file(expanded, backup.c_str(), nullptr, "Error copying file %s to %s: ");
    delete_string(expanded);
    if (status != OK) {
        print_error("Error making backup file for: %s\n", filename);
        return status;
    }
    *backup_filename = create_string(backup.c_str());
    return *backup_filename == nullptr ? ERROR : OK;
}

void cleanup_backup_file(const char *filename, const char *backup_filename,
                         Status status_of_write) {
    if (backup_filename == nullptr) return;
    if (status_of_write == OK) {
        remove_expanded_file(backup_filename);
        return;
    }

    STRING expanded = expand_filename(filename == nullptr ? "" : filename);
    if (expanded != nullptr && copy_expanded_file(backup_filename, expanded, nullptr,
                                                  "Error copying file %s to %s: ") == OK) {
        remove_expanded_file(backup_filename);
    } else {
        print_error("File %s was corrupted during a failed write,\n", filename);
        print_error("File %s contains the state prior to the write attempt.\n", backup_filename);
    }
    delete_string(expanded);
}

BOOLEAN check_clobber_file(const char *filename) {
    STRING expanded = expand_filename(filename == nullptr ? "" : filename);
    BOOLEAN may_write = expanded != nullptr && check_clobber_expanded(expanded);
    delete_string(expanded);
    return may_write;
}

BOOLEAN check_clobber_file_default_suffix(const char *filename, const char *default_suffix) {
    STRING expanded = expand_filename(filename == nullptr ? "" : filename);
    if (expanded == nullptr) return FALSE;
    STRING name = filename_has_no_extension(expanded) ? append_suffix(expanded, default_suffix)
                                                      : create_string(expanded);
    BOOLEAN may_write = name != nullptr && check_clobber_expanded(name);
    delete_string(name);
    delete_string(expanded);
    return may_write;
}
