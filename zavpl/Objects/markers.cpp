// Marker records.

#include "Objects/markers.h"

#include "Prog_utils/string_funcs.h"

void initialize_marker(marker_struct *marker, Marker_types type, Colour colour) {
    marker->type = type;
    marker->colour = colour;
    marker->size = 1.0;
    marker->label = nullptr;
    marker->structure_id = 0;
    marker->patient_id = 0;
}

void delete_marker(marker_struct *marker) {
    delete_string(marker->label);
    marker->label = nullptr;
}
