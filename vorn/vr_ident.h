#ifndef VORN_VR_IDENT_H
#define VORN_VR_IDENT_H

// The identification string stored as "ident" in new files:
// user:host:YYYY.MM.DD.hh.mm.ss:pid:counter, where the counter starts at 1
// and counts the strings made by this process. At most length characters
// (terminator included) go to id_str; the result is snprintf's count.
int vrcreate_ident(char *id_str, int length);

#endif
