#ifndef TARVEX_TEST_MESH_FIXTURES_H
#define TARVEX_TEST_MESH_FIXTURES_H

// Small indexed meshes for the topology and sphere tests, and a checksum of a
// mesh's topology.

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include <zavpl.h>

namespace tarvex_test {

inline Point pt(float x, float y, float z) {
    Point p;
    fill_Point(p, x, y, z);
    return p;
}

// A mesh over shared points, faces indexing into them; owns its arrays.
class Mesh {
  public:
    Mesh() { initialize_polygons(&p, make_Colour_0_1(1.0, 1.0, 1.0), nullptr); }
    Mesh(const std::vector<Point> &points, const std::vector<std::vector<int>> &faces) : Mesh() {
        set(points, faces);
    }
    ~Mesh() { delete_polygons(&p); }
    Mesh(const Mesh &) = delete;
    Mesh &operator=(const Mesh &) = delete;

    void set(const std::vector<Point> &points, const std::vector<std::vector<int>> &faces) {
        delete_polygons(&p);
        initialize_polygons(&p, make_Colour_0_1(1.0, 1.0, 1.0), nullptr);
        size_t n_indices = 0;
        for (const auto &face : faces)
            n_indices += face.size();
        p.n_points = (int)points.size();
        ALLOC(p.points, points.size());
        for (size_t i = 0; i < points.size(); ++i)
            p.points[i] = points[i];
        p.n_items = (int)faces.size();
        ALLOC(p.end_indices, faces.size());
        ALLOC(p.indices, n_indices);
        int k = 0;
        for (size_t f = 0; f < faces.size(); ++f) {
            for (int v : faces[f])
                p.indices[k++] = v;
            p.end_indices[f] = k;
        }
    }

    std::vector<int> polygon(int poly) const {
        int start = poly == 0 ? 0 : p.end_indices[poly - 1];
        return std::vector<int>(p.indices + start, p.indices + p.end_indices[poly]);
    }
    std::vector<std::vector<int>> polygons() const {
        std::vector<std::vector<int>> all;
        for (int i = 0; i < p.n_items; ++i)
            all.push_back(polygon(i));
        return all;
    }

    polygons_struct p;
};

// n by n grid of unit squares in z = 0, (n + 1)^2 points row by row, each
// square (i, j) wound counter-clockwise seen from +z.
inline void make_grid(Mesh *mesh, int n) {
    std::vector<Point> points;
    for (int r = 0; r <= n; ++r)
        for (int c = 0; c <= n; ++c)
            points.push_back(pt((float)c, (float)r, 0.0f));
    std::vector<std::vector<int>> faces;
    for (int r = 0; r < n; ++r)
        for (int c = 0; c < n; ++c) {
            int a = r * (n + 1) + c;
            faces.push_back({a, a + 1, a + n + 2, a + n + 1});
        }
    mesh->set(points, faces);
}

// 64-bit FNV-1a over the polygon count, end indices and indices.
inline uint64_t topology_hash(const polygons_struct &polygons) {
    uint64_t hash = 1469598103934665603ull;
    auto add = [&hash](int value) {
        uint32_t v = (uint32_t)value;
        for (int b = 0; b < 4; ++b) {
            hash ^= (v >> (8 * b)) & 0xffu;
            hash *= 1099511628211ull;
        }
    };
    add(polygons.n_items);
    for (int i = 0; i < polygons.n_items; ++i)
        add(polygons.end_indices[i]);
    int n_indices = polygons.n_items > 0 ? polygons.end_indices[polygons.n_items - 1] : 0;
    for (int k = 0; k < n_indices; ++k)
        add(polygons.indices[k]);
    return hash;
}

} // namespace tarvex_test

#endif
