#ifndef ZAVPL_MARKERS_H
#define ZAVPL_MARKERS_H

// Marker records.

#include "Objects/objects.h"

// Type and colour set, size 1, no label, ids 0; the position is the caller's.
void initialize_marker(marker_struct *marker, Marker_types type, Colour colour);

// Frees the label.
void delete_marker(marker_struct *marker);

#endif
