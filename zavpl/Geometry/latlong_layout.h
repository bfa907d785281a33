#ifndef ZAVPL_LATLONG_LAYOUT_H
#define ZAVPL_LATLONG_LAYOUT_H

// Internal: the point numbering and polygon order of the latitude-longitude
// sphere, shared by the generator and the recogniser so the two cannot differ.

#include <cstdint>

// Point number of ring up, position around (no range checks).
inline int64_t latlong_point_index(int64_t up, int64_t around, int64_t n_up, int64_t n_around) {
    if (up == 0) return 0;
    if (up == n_up) return 1;
    return n_around * (up - 1) + around + 2;
}

// Calls vertex(point) for each vertex of each polygon in order, and
// end_polygon() after each polygon: the north fan, the bands of
// quadrilaterals, the south fan. Stops early when a callback returns false.
template <typename Vertex, typename EndPolygon>
bool for_each_latlong_polygon(int64_t n_up, int64_t n_around, Vertex vertex,
                              EndPolygon end_polygon) {
    auto P = [n_up, n_around](int64_t up, int64_t around) {
        return latlong_point_index(up, around % n_around, n_up, n_around);
    };
    for (int64_t a = 0; a < n_around; ++a) {
        if (!vertex(0) || !vertex(P(1, a)) || !vertex(P(1, a + 1)) || !end_polygon()) return false;
    }
    for (int64_t up = 1; up <= n_up - 2; ++up) {
        for (int64_t a = 0; a < n_around; ++a) {
            if (!vertex(P(up, a)) || !vertex(P(up + 1, a)) || !vertex(P(up + 1, a + 1)) ||
                !vertex(P(up, a + 1)) || !end_polygon())
                return false;
        }
    }
    for (int64_t a = 0; a < n_around; ++a) {
        if (!vertex(1) || !vertex(P(n_up - 1, a + 1)) || !vertex(P(n_up - 1, a)) || !end_polygon())
            return false;
    }
    return true;
}

#endif
