#ifndef OOZAVPL_H
#define OOZAVPL_H

// The object-oriented volume wrapper.

#include <zavpl.h>

#endif
