// Rings of neighbouring points, grown corner by corner.
//
// Each point's ring is built from the chains its polygon corners contribute,
// in polygon order. While a ring grows it is a list of chains; a chain that is
// still open ends with a mark (its last point + n_points) so that the next
// corner whose chain starts at that point can be joined onto it. The corners
// of each point are gathered first, so one point's ring is finished before the
// next is started and the scratch space stays the size of one ring.

#include "Geometry/point_neighbours.h"

#include <algorithm>
#include <climits>
#include <vector>

#include "Geometry/polygon_checks.h"
#include "Prog_utils/alloc.h"
#include "Prog_utils/messages.h"
#include "Prog_utils/progress.h"

namespace {

typedef std::vector<int64_t> chain_list;

// Joins chain (the other vertices one corner contributes) into ring.
void merge_chain(chain_list &ring, chain_list &chain, int64_t n_points, chain_list &scratch) {
    bool closed = false;
    if (!ring.empty()) {
        // An open chain of the ring ending where this one starts goes in front.
        auto mark = std::find(ring.begin(), ring.end(), chain.front() + n_points);
        if (mark != ring.end()) {
            auto run = mark;
            while (run != ring.begin() && *(run - 1) < n_points)
                --run;
            scratch.assign(run, mark);
            scratch.insert(scratch.end(), chain.begin(), chain.end());
            chain.swap(scratch);
            std::fill(run, mark + 1, -1);
            if (chain.size() >= 2 && chain.back() == chain.front()) {
                chain.pop_back();
                closed = true;
            }
        }
    }

    // A chain of the ring starting where this one ends follows it.
    const int64_t last = chain.back();
    size_t found = ring.size();
    for (size_t i = 0; i < ring.size(); ++i) {
        if (ring[i] == last || ring[i] == last + n_points) {
            found = i;
            break;
        }
    }
    scratch.assign(chain.begin(), chain.end());
    if (found < ring.size()) {
        for (size_t t = 1; t < ring.size(); ++t) {
            int64_t entry = ring[(found + t) % ring.size()];
            if (entry != -1) scratch.push_back(entry);
        }
    } else {
        if (!closed) scratch.back() += n_points;
        for (int64_t entry : ring) {
            if (entry != -1) scratch.push_back(entry);
        }
    }
    ring.swap(scratch);
}

// The corners of every point, in polygon order: corner_start[p] ..
// corner_start[p + 1] index corner_entries, which hold positions in indices.
void gather_corners(const polygons_struct *polygons, std::vector<int> &corner_start,
                    std::vector<int> &corner_entries, std::vector<int> &entry_polygon) {
    const int n_indices = polygons_n_indices(polygons);
    corner_start.assign((size_t)polygons->n_points + 1, 0);
    corner_entries.resize((size_t)n_indices);
    entry_polygon.resize((size_t)n_indices);
    for (int poly = 0; poly < polygons->n_items; ++poly) {
        int start, size;
        if (!polygon_run(polygons, poly, &start, &size)) continue;
        for (int k = start; k < start + size; ++k) {
            entry_polygon[(size_t)k] = poly;
            ++corner_start[(size_t)polygons->indices[k] + 1];
        }
    }
    for (int p = 0; p < polygons->n_points; ++p)
        corner_start[(size_t)p + 1] += corner_start[(size_t)p];
    std::vector<int> fill(corner_start.begin(), corner_start.end() - 1);
    for (int k = 0; k < n_indices; ++k)
        corner_entries[(size_t)fill[(size_t)polygons->indices[k]]++] = k;
}

// First position of value in ring[0 .. n - 1], or -1.
int ring_position(const int *ring, int n, int value) {
    for (int k = 0; k < n; ++k) {
        if (ring[k] == value) return k;
    }
    return -1;
}

// point_polygons: for each edge a -> b of each polygon, the slot of b in a's
// ring takes the polygon, or, when already taken, the slot of a in b's ring.
int **make_point_polygons(const polygons_struct *polygons, bool structure_ok,
                          const int n_point_neighbours[], int **point_neighbours) {
    const int n_points = polygons->n_points;
    size_t total = 0;
    for (int p = 0; p < n_points; ++p)
        total += (size_t)n_point_neighbours[p];
    int **point_polygons = nullptr;
    int *block = nullptr;
    if (n_points > 0) ALLOC(point_polygons, n_points);
    if (total > 0) ALLOC(block, total);
    if (n_points > 0 && (point_polygons == nullptr || (total > 0 && block == nullptr))) {
        if (point_polygons != nullptr) FREE(point_polygons);
        if (block != nullptr) FREE(block);
        return nullptr;
    }
    size_t offset = 0;
    for (int p = 0; p < n_points; ++p) {
        point_polygons[p] = block + offset;
        offset += (size_t)n_point_neighbours[p];
    }
    for (size_t k = 0; k < total; ++k)
        block[k] = -1;

    progress_struct progress;
    initialize_progress_report(&progress, FALSE, polygons->n_items, "Neighbour-finding step 2");
    for (int poly = 0; poly < polygons->n_items; ++poly) {
        int start, size;
        if (structure_ok && polygon_run(polygons, poly, &start, &size)) {
            for (int k = 0; k < size; ++k) {
                int a = polygons->indices[start + k];
                int b = polygons->indices[start + (k + 1) % size];
                int ka = ring_position(point_neighbours[a], n_point_neighbours[a], b);
                int kb = ring_position(point_neighbours[b], n_point_neighbours[b], a);
                if (ka >= 0 && point_polygons[a][ka] == -1)
                    point_polygons[a][ka] = poly;
                else if (kb >= 0)
                    point_polygons[b][kb] = poly;
            }
        }
        update_progress_report(&progress, poly + 1);
    }
    terminate_progress_report(&progress);
    return point_polygons;
}

} // namespace

void create_polygon_point_neighbours(polygons_struct *polygons, BOOLEAN across_polygons_flag,
                                     int **n_point_neighbours_ptr, int ***point_neighbours_ptr,
                                     Smallest_int **interior_flags_ptr, int ***point_polygons_ptr) {
    *n_point_neighbours_ptr = nullptr;
    *point_neighbours_ptr = nullptr;
    if (interior_flags_ptr != nullptr) *interior_flags_ptr = nullptr;
    if (point_polygons_ptr != nullptr) *point_polygons_ptr = nullptr;
    if (across_polygons_flag && point_polygons_ptr != nullptr) {
        print_error("create_polygon_point_neighbours: conflicting argument.\n");
        return;
    }

    const int n_points = polygons->n_points > 0 ? polygons->n_points : 0;
    int *n_point_neighbours = nullptr;
    int **point_neighbours = nullptr;
    Smallest_int *interior_flags = nullptr;
    if (n_points > 0) {
        ALLOC(n_point_neighbours, n_points);
        ALLOC(point_neighbours, n_points);
        if (interior_flags_ptr != nullptr) ALLOC(interior_flags, n_points);
        if (n_point_neighbours == nullptr || point_neighbours == nullptr ||
            (interior_flags_ptr != nullptr && interior_flags == nullptr)) {
            if (n_point_neighbours != nullptr) FREE(n_point_neighbours);
            if (point_neighbours != nullptr) FREE(point_neighbours);
            if (interior_flags != nullptr) FREE(interior_flags);
            return;
        }
    }
    for (int p = 0; p < n_points; ++p) {
        n_point_neighbours[p] = 0;
        point_neighbours[p] = nullptr;
        if (interior_flags != nullptr) interior_flags[p] = 0;
    }

    // A mesh that does not hold together gets empty rings.
    std::vector<int> corner_start, corner_entries, entry_polygon;
    const bool structure_ok = check_polygons_structure(polygons, "create_polygon_point_neighbours");
    if (structure_ok)
        gather_corners(polygons, corner_start, corner_entries, entry_polygon);
    else
        corner_start.assign((size_t)n_points + 1, 0);

    progress_struct progress;
    initialize_progress_report(&progress, FALSE, n_points, "Neighbour-finding");
    chain_list ring, chain, scratch;
    for (int p = 0; p < n_points; ++p) {
        ring.clear();
        for (int c = corner_start[(size_t)p]; c < corner_start[(size_t)p + 1]; ++c) {
            int entry = corner_entries[(size_t)c];
            int start, size;
            (void)polygon_run(polygons, entry_polygon[(size_t)entry], &start, &size);
            int position = entry - start;
            chain.clear();
            for (int t = 1; t < size; ++t) {
                if (across_polygons_flag || t == 1 || t == size - 1)
                    chain.push_back(polygons->indices[start + (position + t) % size]);
            }
            if (!chain.empty()) merge_chain(ring, chain, n_points, scratch);
        }

        if (ring.size() > (size_t)INT_MAX) {
            print_error("create_polygon_point_neighbours: point %d has too many neighbours.\n", p);
            ring.clear();
        }
        if (interior_flags != nullptr)
            interior_flags[p] = (Smallest_int)(!ring.empty() && ring.back() < n_points);
        if (!ring.empty()) {
            ALLOC(point_neighbours[p], ring.size());
            if (point_neighbours[p] != nullptr) {
                n_point_neighbours[p] = (int)ring.size();
                for (size_t k = 0; k < ring.size(); ++k)
                    point_neighbours[p][k] =
                        (int)(ring[k] >= n_points ? ring[k] - n_points : ring[k]);
            }
        }
        update_progress_report(&progress, p + 1);
    }
    terminate_progress_report(&progress);

    *n_point_neighbours_ptr = n_point_neighbours;
    *point_neighbours_ptr = point_neighbours;
    if (interior_flags_ptr != nullptr) *interior_flags_ptr = interior_flags;
    if (point_polygons_ptr != nullptr && n_points > 0)
        *point_polygons_ptr =
            make_point_polygons(polygons, structure_ok, n_point_neighbours, point_neighbours);
}

void delete_polygon_point_neighbours(polygons_struct *polygons, int n_point_neighbours[],
                                     int **point_neighbours, Smallest_int interior_flags[],
                                     int **point_polygons) {
    if (point_neighbours != nullptr) {
        for (int p = 0; p < polygons->n_points; ++p) {
            if (point_neighbours[p] != nullptr) FREE(point_neighbours[p]);
        }
        FREE(point_neighbours);
    }
    if (n_point_neighbours != nullptr) FREE(n_point_neighbours);
    if (interior_flags != nullptr) FREE(interior_flags);
    if (point_polygons != nullptr) {
        if (polygons->n_points > 0 && point_polygons[0] != nullptr) FREE(point_polygons[0]);
        FREE(point_polygons);
    }
}
