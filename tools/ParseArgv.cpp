#include "ParseArgv.h"

#include <cerrno>
#include <climits>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>

const ArgvInfo defaultTable[] = {
    {"-help", OPT_HELP, nullptr, nullptr, "Print summary of command-line options and abort"},
    {nullptr, OPT_END, nullptr, nullptr, nullptr},
};

namespace {

// The number of values an OPT_INT, OPT_STRING or OPT_FLOAT row takes.
long value_count(const ArgvInfo *row) {
    intptr_t n = reinterpret_cast<intptr_t>(row->src);
    if (n < 1) return 1;
    if (n > INT_MAX) return INT_MAX;
    return (long)n;
}

size_t table_key_width(const ArgvInfo *table, size_t width) {
    for (const ArgvInfo *row = table; row->type != OPT_END; ++row) {
        if (row->key != nullptr && strlen(row->key) > width) width = strlen(row->key);
    }
    return width;
}

void print_blanks(size_t n) {
    static const char blanks[] = "                    ";
    const size_t n_blanks = sizeof(blanks) - 1;
    while (n >= n_blanks) {
        fputs(blanks, stderr);
        n -= n_blanks;
    }
    if (n > 0) fputs(blanks + n_blanks - n, stderr);
}

// One table's rows of the summary, each key padded to width.
void print_table_rows(const ArgvInfo *table, size_t width) {
    for (const ArgvInfo *row = table; row->type != OPT_END; ++row) {
        if (row->key == nullptr) {
            if (row->type == OPT_HELP && row->help != nullptr) fprintf(stderr, "\n%s", row->help);
            continue;
        }
        fprintf(stderr, "\n %s:", row->key);
        print_blanks(width + 1 - strlen(row->key));
        if (row->help != nullptr) fputs(row->help, stderr);
        if (row->dst == nullptr) continue;

        long n = value_count(row);
        switch (row->type) {
        case OPT_STRING: {
            char **values = static_cast<char **>(row->dst);
            for (long i = 0; i < n; ++i) {
                if (values[i] != nullptr)
                    fprintf(stderr, " \"%s\"", values[i]);
                else if (n > 1)
                    fputs(" (null)", stderr);
            }
            break;
        }
        case OPT_FLOAT: {
            const double *values = static_cast<const double *>(row->dst);
            fputs("\n\t\tDefault value:", stderr);
            for (long i = 0; i < n; ++i)
                fprintf(stderr, " %g", values[i]);
            break;
        }
        case OPT_INT: {
            const int *values = static_cast<const int *>(row->dst);
            fputs("\n\t\tDefault value:", stderr);
            for (long i = 0; i < n; ++i)
                fprintf(stderr, " %d", values[i]);
            break;
        }
        default:
            break;
        }
    }
}

void print_usage(const ArgvInfo *argTable, int flags) {
    size_t width = table_key_width(defaultTable, table_key_width(argTable, 4));
    fputs("Command-specific options:", stderr);
    print_table_rows(argTable, width);
    if (!(flags & PARSE_HELP_COMMAND_ONLY)) {
        fputs("\nGeneric options for all commands:", stderr);
        print_table_rows(defaultTable, width);
    }
    fputs("\n", stderr);
}

// Outcome of looking an argument up in the tables.
enum class Lookup { NO_MATCH, MATCH, AMBIGUOUS };

// Finds the row for arg: an exact key at once, otherwise the only key that
// arg abbreviates (unless abbreviations are off).
Lookup find_row(const char *arg, const ArgvInfo *argTable, int flags, const ArgvInfo **match) {
    size_t length = strlen(arg);
    *match = nullptr;
    // An empty argument has no second character to compare.
    if (length == 0) return Lookup::NO_MATCH;

    const ArgvInfo *tables[2] = {argTable, defaultTable};
    for (const ArgvInfo *table : tables) {
        for (const ArgvInfo *row = table; row->type != OPT_END; ++row) {
            const char *key = row->key;
            if (key == nullptr || key[0] == '\0') continue;
            if (key[1] != arg[1] || strncmp(key, arg, length) != 0) continue;
            if (key[length] == '\0') {
                *match = row;
                return Lookup::MATCH;
            }
            if (flags & PARSE_EXACT_KEYS) continue;
            if (*match != nullptr) return Lookup::AMBIGUOUS;
            *match = row;
        }
    }
    return *match != nullptr ? Lookup::MATCH : Lookup::NO_MATCH;
}

// Converts an OPT_INT value; the whole text must be an integer that fits.
bool convert_int(const char *text, int *value) {
    char *end;
    errno = 0;
    long result = strtol(text, &end, 0);
    if (end == text || *end != '\0' || errno == ERANGE || result < INT_MIN || result > INT_MAX)
        return false;
    *value = (int)result;
    return true;
}

bool convert_double(const char *text, double *value) {
    char *end;
    double result = strtod(text, &end);
    if (end == text || *end != '\0') return false;
    *value = result;
    return true;
}

} // namespace

int ParseArgv(int *argcPtr, char **argv, const ArgvInfo *argTable, int flags) {
    if (argcPtr == nullptr || argv == nullptr || argTable == nullptr || *argcPtr < 0) return 1;
    const bool quiet = (flags & PARSE_QUIET) != 0;

    int srcIndex = (flags & PARSE_KEEP_FIRST) ? 0 : 1;
    int dstIndex = srcIndex;
    int argc = *argcPtr - srcIndex;
    // An empty vector (not even a program name) has nothing to parse or write.
    if (argc < 0) return 0;

    bool rest = false;
    while (argc > 0 && !rest) {
        char *curArg = argv[srcIndex];
        ++srcIndex;
        --argc;

        const ArgvInfo *row;
        Lookup lookup = find_row(curArg, argTable, flags, &row);
        if (lookup == Lookup::AMBIGUOUS) {
            if (!quiet) fprintf(stderr, "ambiguous option \"%s\"\n", curArg);
            return 1;
        }
        if (lookup == Lookup::NO_MATCH) {
            if ((flags & PARSE_REPORT_UNMATCHED) && !quiet)
                fprintf(stderr, "unrecognized argument \"%s\"\n", curArg);
            argv[dstIndex] = curArg;
            ++dstIndex;
            continue;
        }

        switch (row->type) {
        case OPT_CONSTANT:
            *static_cast<int *>(row->dst) = (int)reinterpret_cast<intptr_t>(row->src);
            break;

        case OPT_INT:
        case OPT_STRING:
        case OPT_FLOAT: {
            long n = value_count(row);
            for (long i = 0; i < n; ++i) {
                if (argc == 0) {
                    if (!quiet)
                        fprintf(stderr, "\"%s\" option requires an additional argument\n", curArg);
                    return 1;
                }
                char *value = argv[srcIndex];
                if (row->type == OPT_INT) {
                    if (!convert_int(value, static_cast<int *>(row->dst) + i)) {
                        if (!quiet)
                            fprintf(stderr, "expected integer argument for \"%s\" but got \"%s\"",
                                    row->key, value);
                        return 1;
                    }
                } else if (row->type == OPT_FLOAT) {
                    if (!convert_double(value, static_cast<double *>(row->dst) + i)) {
                        if (!quiet)
                            fprintf(stderr,
                                    "expected floating-point argument for \"%s\" but got\"%s\"\n",
                                    row->key, value);
                        return 1;
                    }
                } else {
                    static_cast<char **>(row->dst)[i] = value;
                }
                ++srcIndex;
                --argc;
            }
            break;
        }

        case OPT_REST:
            *static_cast<int *>(row->dst) = dstIndex;
            rest = true;
            break;

        case OPT_HANDLER: {
            ArgvHandler handler = reinterpret_cast<ArgvHandler>(row->src);
            char *next = argc > 0 ? argv[srcIndex] : nullptr;
            // A handler may only consume an argument that exists.
            if (handler(row->dst, row->key, next) && argc > 0) {
                ++srcIndex;
                --argc;
            }
            break;
        }

        case OPT_HANDLER_REST: {
            ArgvRestHandler handler = reinterpret_cast<ArgvRestHandler>(row->src);
            int remaining = handler(row->dst, row->key, argc, argv + srcIndex);
            // More arguments than it was given would read past the vector.
            if (remaining < 0 || remaining > argc) return 1;
            argc = remaining;
            break;
        }

        case OPT_HELP:
            if (!quiet) print_usage(argTable, flags);
            return 1;

        default:
            if (!quiet) fprintf(stderr, "bad argument type %d in ArgvInfo", row->type);
            return 1;
        }
    }

    // What is left, after OPT_REST unexamined, goes to the front unchanged.
    while (argc > 0) {
        argv[dstIndex] = argv[srcIndex];
        ++dstIndex;
        ++srcIndex;
        --argc;
    }
    argv[dstIndex] = nullptr;
    *argcPtr = dstIndex;
    return 0;
}
