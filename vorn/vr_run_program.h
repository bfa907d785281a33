#ifndef VORN_VR_RUN_PROGRAM_H
#define VORN_VR_RUN_PROGRAM_H

// Running outside programs (decompressors, copies) without a shell, so that
// no file name is ever parsed as a command line.

#include <cstdio>
#include <sys/types.h>

// Status of a program that could not be started (as a shell reports it).
#define VR_PROGRAM_NOT_STARTED 127

// Runs argv[0] (looked up on PATH) with the null-terminated argument vector
// argv and waits for it. Its standard output goes to stdout_path (created or
// truncated) when that is not null, and its standard error to /dev/null when
// discard_stderr is nonzero. Streams are flushed first. Returns 0 when the
// program exited with status 0; otherwise its exit status, 128 plus the signal
// number when a signal ended it, VR_PROGRAM_NOT_STARTED when it or its output
// file could not be opened, or -1 when no process could be made.
int vrrun_program(const char *const argv[], const char *stdout_path, int discard_stderr);

// Starts argv[0] as vrrun_program does, its standard output readable through
// the returned stream. Stores the child's id in *pid. Null when the program
// could not be started. Finish with vrfinish_program_reader.
FILE *vrstart_program_reader(const char *const argv[], int discard_stderr, pid_t *pid);

// Closes the stream of vrstart_program_reader and waits for that child;
// returns its status as vrrun_program does.
int vrfinish_program_reader(FILE *stream, pid_t pid);

#endif
