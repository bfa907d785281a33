#ifndef VORN_VR_CONFIG_H
#define VORN_VR_CONFIG_H

// Configuration switches of the VORN library. A value named N comes from the
// environment variable N when it is defined, otherwise from the per-user file
// "$HOME/.vornrc", whose lines read "NAME = value" ("#" starts a comment line;
// names compare without regard to case). Values are read on every call.

// Looks name up in the configuration file only. TRUE when found, with the
// value (leading and trailing white space removed, cut to maxlen - 1
// characters) in buffer.
int vrread_cfg(const char *name, char *buffer, int maxlen);

// FALSE when the value is not set, otherwise TRUE when its leading number is
// not 0 (so "1", " 1" and "1 yes" are TRUE and "yes" is FALSE).
int vrget_cfg_bool(const char *name);

// The value's leading number, 0 when not set (clamped to the int range).
int vrget_cfg_int(const char *name);

// A new copy of the value, or null when not set; the caller frees it (free).
char *vrget_cfg_str(const char *name);

#endif
