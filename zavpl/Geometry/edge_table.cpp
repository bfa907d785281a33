// Internal: undirected edge table of a mesh.

#include "Geometry/edge_table.h"

#include <algorithm>

#include "Geometry/polygon_checks.h"

namespace {

// A side filed under its lower point, with its higher point beside it so
// that sorting a bucket reads only the bucket.
struct bucketed_side {
    int higher;
    int side;
};

} // namespace

void build_polygon_edge_table(const polygons_struct *polygons, polygon_edge_table *table) {
    const int n_sides = polygons_n_indices(polygons);
    const int n_points = polygons->n_points;
    table->n_edges = 0;
    table->side_polygon.assign((size_t)n_sides, -1);
    table->side_edge.assign((size_t)n_sides, -1);
    table->edge_start.clear();
    table->edge_sides.clear();

    // Count the sides of each lower point (a side from a point to itself is
    // no edge).
    std::vector<int> bucket_start((size_t)n_points + 1, 0);
    for (int poly = 0; poly < polygons->n_items; ++poly) {
        int start, size;
        if (!polygon_run(polygons, poly, &start, &size)) continue;
        for (int k = 0; k < size; ++k) {
            int a = polygons->indices[start + k];
            int b = polygons->indices[start + (k + 1) % size];
            table->side_polygon[(size_t)(start + k)] = poly;
            if (a != b) ++bucket_start[(size_t)std::min(a, b) + 1];
        }
    }
    for (int p = 0; p < n_points; ++p)
        bucket_start[(size_t)p + 1] += bucket_start[(size_t)p];

    std::vector<bucketed_side> order((size_t)bucket_start[(size_t)n_points]);
    {
        std::vector<int> fill(bucket_start.begin(), bucket_start.end() - 1);
        for (int poly = 0; poly < polygons->n_items; ++poly) {
            int start, size;
            if (!polygon_run(polygons, poly, &start, &size)) continue;
            for (int k = 0; k < size; ++k) {
                int a = polygons->indices[start + k];
                int b = polygons->indices[start + (k + 1) % size];
                if (a != b)
                    order[(size_t)fill[(size_t)std::min(a, b)]++] = {std::max(a, b), start + k};
            }
        }
    }

    // Buckets are short on ordinary meshes: insertion sort them, and fall back
    // to std::sort for the long ones around high-valence points. Ties keep
    // side order, so each edge's sides stay in increasing order.
    auto before = [](const bucketed_side &s1, const bucketed_side &s2) {
        return s1.higher != s2.higher ? s1.higher < s2.higher : s1.side < s2.side;
    };
    table->edge_sides.resize(order.size());
    table->edge_start.reserve(order.size() / 2 + 2);
    for (int p = 0; p < n_points; ++p) {
        auto first = order.begin() + bucket_start[(size_t)p];
        auto last = order.begin() + bucket_start[(size_t)p + 1];
        if (last - first > 16) {
            std::sort(first, last, before);
        } else {
            for (auto it = first + (first != last); it < last; ++it) {
                bucketed_side moving = *it;
                auto hole = it;
                for (; hole != first && before(moving, *(hole - 1)); --hole)
                    *hole = *(hole - 1);
                *hole = moving;
            }
        }
        for (auto it = first; it != last; ++it) {
            if (it == first || it->higher != (it - 1)->higher) {
                table->edge_start.push_back((int)(it - order.begin()));
                ++table->n_edges;
            }
            table->side_edge[(size_t)it->side] = table->n_edges - 1;
            table->edge_sides[(size_t)(it - order.begin())] = it->side;
        }
    }
    table->edge_start.push_back((int)order.size());
}
