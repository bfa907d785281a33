// Internal: undirected edge table of a mesh.

#include "Geometry/edge_table.h"

#include <algorithm>

#include "Geometry/polygon_checks.h"

void build_polygon_edge_table(const polygons_struct *polygons, polygon_edge_table *table) {
    const int n_sides = polygons_n_indices(polygons);
    const int n_points = polygons->n_points;
    table->n_edges = 0;
    table->side_polygon.assign((size_t)n_sides, -1);
    table->side_edge.assign((size_t)n_sides, -1);
    table->edge_start.clear();
    table->edge_sides.clear();

    // Each side is bucketed under its lower point and sorted by its higher one
    // (-1 marks a side joining a point to itself, which is no edge).
    std::vector<int> higher((size_t)n_sides, -1);
    std::vector<int> bucket_start((size_t)n_points + 1, 0);
    for (int poly = 0; poly < polygons->n_items; ++poly) {
        int start, size;
        if (!polygon_run(polygons, poly, &start, &size)) continue;
        for (int k = 0; k < size; ++k) {
            int a = polygons->indices[start + k];
            int b = polygons->indices[start + (k + 1) % size];
            table->side_polygon[(size_t)(start + k)] = poly;
            if (a == b) continue;
            higher[(size_t)(start + k)] = std::max(a, b);
            ++bucket_start[(size_t)std::min(a, b) + 1];
        }
    }
    for (int p = 0; p < n_points; ++p)
        bucket_start[(size_t)p + 1] += bucket_start[(size_t)p];

    std::vector<int> order((size_t)bucket_start[(size_t)n_points]);
    {
        std::vector<int> fill(bucket_start.begin(), bucket_start.end() - 1);
        for (int poly = 0; poly < polygons->n_items; ++poly) {
            int start, size;
            if (!polygon_run(polygons, poly, &start, &size)) continue;
            for (int k = 0; k < size; ++k) {
                int a = polygons->indices[start + k];
                int b = polygons->indices[start + (k + 1) % size];
                if (a != b) order[(size_t)fill[(size_t)std::min(a, b)]++] = start + k;
            }
        }
    }

    auto by_higher_point = [&higher](int s1, int s2) {
        return higher[(size_t)s1] != higher[(size_t)s2] ? higher[(size_t)s1] < higher[(size_t)s2]
                                                        : s1 < s2;
    };
    table->edge_sides.reserve(order.size());
    table->edge_start.reserve(order.size() / 2 + 2);
    for (int p = 0; p < n_points; ++p) {
        auto first = order.begin() + bucket_start[(size_t)p];
        auto last = order.begin() + bucket_start[(size_t)p + 1];
        std::sort(first, last, by_higher_point);
        for (auto it = first; it != last; ++it) {
            if (it == first || higher[(size_t)*it] != higher[(size_t) * (it - 1)]) {
                table->edge_start.push_back((int)table->edge_sides.size());
                ++table->n_edges;
            }
            table->side_edge[(size_t)*it] = table->n_edges - 1;
            table->edge_sides.push_back(*it);
        }
    }
    table->edge_start.push_back((int)table->edge_sides.size());
}
