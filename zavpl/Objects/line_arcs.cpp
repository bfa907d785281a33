// Segment numbering and arc length along polyline sets. Segments are numbered
// globally, polyline by polyline; a run of k points has k - 1 segments.

#include <cmath>

#include "Objects/lines.h"
#include "Prog_utils/messages.h"

namespace {

int item_start(const lines_struct *lines, int item) {
    return item == 0 ? 0 : lines->end_indices[item - 1];
}

Real segment_length(const Point &p0, const Point &p1) {
    Real dx = (Real)Point_x(p1) - (Real)Point_x(p0);
    Real dy = (Real)Point_y(p1) - (Real)Point_y(p0);
    Real dz = (Real)Point_z(p1) - (Real)Point_z(p0);
    return std::sqrt(dx * dx + dy * dy + dz * dz);
}

} // namespace

void get_line_segment_index(lines_struct *lines, int obj_index, int *line, int *seg) {
    if (lines->n_items < 2) {
        *line = 0;
        *seg = obj_index;
        return;
    }
    // Polylines 0 .. mid hold end_indices[mid] - (mid + 1) segments.
    int lo = 0;
    int hi = lines->n_items - 1;
    while (lo < hi) {
        int mid = (lo + hi) / 2;
        if (obj_index < lines->end_indices[mid] - mid - 1)
            hi = mid;
        else
            lo = mid + 1;
    }
    *line = lo;
    *seg = lo == 0 ? obj_index : obj_index - (lines->end_indices[lo - 1] - lo);
}

Real get_lines_length(lines_struct *lines) {
    Real length = 0.0;
    for (int item = 0; item < lines->n_items; ++item) {
        for (int k = item_start(lines, item); k < lines->end_indices[item] - 1; ++k)
            length += segment_length(lines->points[lines->indices[k]],
                                     lines->points[lines->indices[k + 1]]);
    }
    return length;
}

void get_lines_arc_point(lines_struct *lines, Real arc_length, Point *point) {
    if (arc_length < 0.0) {
        print_error("get_lines_arc_point: arc_length < 0.0, using 0.0\n");
        arc_length = 0.0;
    }

    Real running_length = 0.0;
    const Point *last_end = nullptr;
    for (int item = 0; item < lines->n_items; ++item) {
        for (int k = item_start(lines, item); k < lines->end_indices[item] - 1; ++k) {
            const Point &p0 = lines->points[lines->indices[k]];
            const Point &p1 = lines->points[lines->indices[k + 1]];
            Real length = segment_length(p0, p1);
            last_end = &p1;
            running_length += length;
            // A zero-length segment never passes this test: the running length
            // did not grow, so an earlier segment would have been chosen.
            if (arc_length < running_length) {
                Real ratio = (running_length - arc_length) / length;
                fill_Point(*point, (Real)Point_x(p1) * (1.0 - ratio) + (Real)Point_x(p0) * ratio,
                           (Real)Point_y(p1) * (1.0 - ratio) + (Real)Point_y(p0) * ratio,
                           (Real)Point_z(p1) * (1.0 - ratio) + (Real)Point_z(p0) * ratio);
                return;
            }
        }
    }

    print_error("get_lines_arc_point: arc_length too large, using end\n");
    // Without any segment, the first point (or the origin) stands for the end.
    if (last_end != nullptr)
        *point = *last_end;
    else if (lines->n_points > 0)
        *point = lines->points[0];
    else
        fill_Point(*point, 0.0, 0.0, 0.0);
}
