#ifndef VORN_VR_HISTORY_H
#define VORN_VR_HISTORY_H

// Where a file comes from: the global "history" text and the version of
// this library.

// Appends tm_stamp to the global "history" as a line of its own. Neither
// registers a routine name nor logs: the result is the status of the write.
int vrappend_history(int fd, const char *tm_stamp);

// The library's version, "2.0.09".
const char *vrget_version(void);

#endif
