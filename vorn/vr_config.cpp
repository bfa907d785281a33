#include "vr_config.h"

#include <cctype>
#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <strings.h>

#include "vr_basic.h"

namespace {

std::string config_file_name() {
    const char *home = getenv("HOME");
    return std::string(home != nullptr ? home : "") + "/.vornrc";
}

// The text of a matching line after its first "=", without the white space
// around it. Whole lines are read, so a long line is never split in two.
bool find_in_config_file(const char *name, std::string *value) {
    size_t name_length = name != nullptr ? strlen(name) : 0;
    if (name_length == 0) return false;

    FILE *file = fopen(config_file_name().c_str(), "r");
    if (file == nullptr) return false;

    char *line = nullptr;
    size_t capacity = 0;
    bool found = false;
    while (!found && getline(&line, &capacity, file) >= 0) {
        if (line[0] == '#' || strncasecmp(line, name, name_length) != 0) continue;
        const char *equals = strchr(line, '=');
        if (equals == nullptr) continue;
        const char *start = equals + 1;
        while (*start != '\0' && isspace(static_cast<unsigned char>(*start)))
            ++start;
        const char *end = start + strlen(start);
        while (end > start && isspace(static_cast<unsigned char>(end[-1])))
            --end;
        value->assign(start, end);
        found = true;
    }
    free(line);
    fclose(file);
    return found;
}

bool find_value(const char *name, std::string *value) {
    if (name == nullptr) return false;
    const char *env_value = getenv(name);
    if (env_value != nullptr) {
        value->assign(env_value);
        return true;
    }
    return find_in_config_file(name, value);
}

// atoi without its undefined behaviour on out-of-range numbers.
int leading_int(const std::string &text) {
    errno = 0;
    long number = strtol(text.c_str(), nullptr, 10);
    if (number > INT_MAX) return INT_MAX;
    if (number < INT_MIN) return INT_MIN;
    return static_cast<int>(number);
}

} // namespace

int vrread_cfg(const char *name, char *buffer, int maxlen) {
    if (buffer == nullptr || maxlen < 1) return FALSE;
    std::string value;
    if (!find_in_config_file(name, &value)) return FALSE;
    size_t length =
        value.size() < static_cast<size_t>(maxlen) ? value.size() : static_cast<size_t>(maxlen) - 1;
    memcpy(buffer, value.data(), length);
    buffer[length] = '\0';
    return TRUE;
}

int vrget_cfg_bool(const char *name) {
    std::string value;
    if (!find_value(name, &value)) return FALSE;
    return leading_int(value) != 0 ? TRUE : FALSE;
}

int vrget_cfg_int(const char *name) {
    std::string value;
    return find_value(name, &value) ? leading_int(value) : 0;
}

char *vrget_cfg_str(const char *name) {
    std::string value;
    if (!find_value(name, &value)) return nullptr;
    return strdup(value.c_str());
}
