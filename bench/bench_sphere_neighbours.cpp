// links: zavpl
// Building spheres of the tetrahedral family (20,480 to 327,680 triangles) and
// finding their edge neighbours and point rings. Each figure comes with the
// plain alternative measured in the same run: sorting the 64-bit keys of all
// undirected polygon sides with std::sort, the classic way to pair up edges.
// Counters: ns per triangle, the ratio to that sort, the process's peak
// resident memory so far (run one size alone for its own peak) and the cores.

#include <benchmark/benchmark.h>

#include <sys/resource.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <vector>

#include <zavpl.h>

namespace {

typedef std::chrono::steady_clock Clock;

double seconds_since(Clock::time_point start) {
    return std::chrono::duration<double>(Clock::now() - start).count();
}

double peak_rss_mb() {
    rusage usage;
    getrusage(RUSAGE_SELF, &usage);
    return (double)usage.ru_maxrss / 1024.0;
}

struct Sphere {
    polygons_struct polygons;
    explicit Sphere(int n_triangles) {
        Point centre;
        fill_Point(centre, 0.0, 0.0, 0.0);
        create_tetrahedral_sphere(&centre, 1.0, 1.0, 1.0, n_triangles, &polygons);
    }
    ~Sphere() { delete_polygons(&polygons); }
};

// The plain alternative: sort (lower point, higher point) of every side.
double sort_sides_seconds(const polygons_struct &polygons) {
    double best = 1e30;
    for (int repeat = 0; repeat < 3; ++repeat) {
        Clock::time_point start = Clock::now();
        std::vector<uint64_t> keys;
        keys.reserve((size_t)polygons.end_indices[polygons.n_items - 1]);
        for (int poly = 0; poly < polygons.n_items; ++poly) {
            int first = poly == 0 ? 0 : polygons.end_indices[poly - 1];
            int size = polygons.end_indices[poly] - first;
            for (int k = 0; k < size; ++k) {
                uint64_t a = (uint32_t)polygons.indices[first + k];
                uint64_t b = (uint32_t)polygons.indices[first + (k + 1) % size];
                keys.push_back(a < b ? (a << 32 | b) : (b << 32 | a));
            }
        }
        std::sort(keys.begin(), keys.end());
        benchmark::DoNotOptimize(keys.data());
        best = std::min(best, seconds_since(start));
    }
    return best;
}

void report(benchmark::State &state, double seconds_per_iteration, double floor_seconds,
            int n_triangles) {
    state.counters["ns_per_triangle"] = seconds_per_iteration * 1e9 / n_triangles;
    state.counters["x_edge_sort"] = seconds_per_iteration / floor_seconds;
    state.counters["peak_rss_MB"] = peak_rss_mb();
    state.counters["cores"] = (double)sysconf(_SC_NPROCESSORS_ONLN);
}

void BM_CreateTetrahedralSphere(benchmark::State &state) {
    const int n_triangles = (int)state.range(0);
    Point centre;
    fill_Point(centre, 0.0, 0.0, 0.0);
    double total = 0.0;
    for (auto _ : state) {
        Clock::time_point start = Clock::now();
        polygons_struct polygons;
        create_tetrahedral_sphere(&centre, 1.0, 1.0, 1.0, n_triangles, &polygons);
        benchmark::DoNotOptimize(polygons.indices);
        total += seconds_since(start);
        delete_polygons(&polygons);
    }
    Sphere sphere(n_triangles);
    report(state, total / (double)state.iterations(), sort_sides_seconds(sphere.polygons),
           n_triangles);
}

void BM_CheckPolygonsNeighbours(benchmark::State &state) {
    const int n_triangles = (int)state.range(0);
    Sphere sphere(n_triangles);
    double total = 0.0;
    for (auto _ : state) {
        free_polygon_neighbours(&sphere.polygons);
        Clock::time_point start = Clock::now();
        check_polygons_neighbours_computed(&sphere.polygons);
        benchmark::DoNotOptimize(sphere.polygons.neighbours);
        total += seconds_since(start);
    }
    // A closed sphere has a neighbour across every edge.
    const int *neighbours = sphere.polygons.neighbours;
    if (neighbours == nullptr || std::count(neighbours, neighbours + 3 * n_triangles, -1) != 0) {
        state.SkipWithError("neighbours missing");
        return;
    }
    report(state, total / (double)state.iterations(), sort_sides_seconds(sphere.polygons),
           n_triangles);
}

void BM_CreatePolygonPointNeighbours(benchmark::State &state) {
    const int n_triangles = (int)state.range(0);
    Sphere sphere(n_triangles);
    double total = 0.0;
    for (auto _ : state) {
        int *n_neighbours;
        int **neighbours;
        Smallest_int *interior;
        int **point_polygons;
        Clock::time_point start = Clock::now();
        create_polygon_point_neighbours(&sphere.polygons, FALSE, &n_neighbours, &neighbours,
                                        &interior, &point_polygons);
        total += seconds_since(start);
        delete_polygon_point_neighbours(&sphere.polygons, n_neighbours, neighbours, interior,
                                        point_polygons);
    }
    report(state, total / (double)state.iterations(), sort_sides_seconds(sphere.polygons),
           n_triangles);
}

} // namespace

BENCHMARK(BM_CreateTetrahedralSphere)
    ->Arg(20480)
    ->Arg(81920)
    ->Arg(327680)
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CheckPolygonsNeighbours)
    ->Arg(20480)
    ->Arg(81920)
    ->Arg(327680)
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CreatePolygonPointNeighbours)
    ->Arg(20480)
    ->Arg(81920)
    ->Arg(327680)
    ->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
