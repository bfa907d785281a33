#ifndef TARVEX_PARSE_ARGV_H
#define TARVEX_PARSE_ARGV_H

// Table-driven command-line parsing. A program lists its options as rows of
// ArgvInfo ending with an OPT_END row; ParseArgv stores each option's values
// through the row's dst, compacts the other arguments to the front of argv
// and reports problems on standard error.

// One row of an option table. What src holds depends on type: the constant to
// store (OPT_CONSTANT), the number of values to take (OPT_INT, OPT_STRING,
// OPT_FLOAT; below 1 means 1), or the handler to call (OPT_HANDLER,
// OPT_HANDLER_REST). A row of type OPT_HELP with a null key is a heading in
// the option summary, its help being the heading text.
struct ArgvInfo {
    const char *key;
    int type;
    void *src;
    void *dst;
    const char *help;
};

// Option type codes; the numbers are part of the table format.
#define OPT_CONSTANT 15
#define OPT_INT 16
#define OPT_STRING 17
#define OPT_REST 19
#define OPT_FLOAT 20
#define OPT_HANDLER 21
#define OPT_HANDLER_REST 22
#define OPT_HELP 23
#define OPT_END 27

// Flags for ParseArgv's last argument.
#define PARSE_HELP_COMMAND_ONLY 0x01
#define PARSE_REPORT_UNMATCHED 0x02
#define PARSE_EXACT_KEYS 0x04
#define PARSE_KEEP_FIRST 0x08
#define PARSE_QUIET 0x10

// Handler of an OPT_HANDLER row: gets the row's dst, its key and the next
// argument (null when there is none); returns non-zero when it used that
// argument, and must return 0 when it got none.
typedef int (*ArgvHandler)(void *dst, const char *key, char *nextArg);

// Handler of an OPT_HANDLER_REST row: gets the row's dst, its key, the number
// of arguments not yet processed and the array starting at the first of them.
// It moves what it leaves to the front of that array and returns their number
// (at most argc); a negative result makes the parse fail silently.
typedef int (*ArgvRestHandler)(void *dst, const char *key, int argc, char **argv);

// The generic options every program gets: "-help", then the end row.
extern const ArgvInfo defaultTable[];

// Parses *argcPtr arguments of argv against argTable, then defaultTable.
// Returns 0 on success, with argv holding the program name (unless
// PARSE_KEEP_FIRST), the leftover arguments in order and a null pointer, and
// *argcPtr their number. Returns 1 on failure (including after printing the
// option summary); *argcPtr is then unchanged and argv may be rearranged.
int ParseArgv(int *argcPtr, char **argv, const ArgvInfo *argTable, int flags);

#endif
