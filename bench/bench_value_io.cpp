// links: dezava_vo
// Reading the ASCII text of a 300,000-triangle mesh (150,002 points and
// normals, 900,000 indices) through the value readers, against the floor of
// reading the same file's bytes, and against fscanf as the plain alternative.

#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <thread>
#include <unistd.h>
#include <vector>

#include <dezava_vo.h>

namespace {

const int n_points = 150002;
const int n_indices = 900000;

// Removes the mesh file when the program ends.
struct MeshPath {
    std::string path;
    ~MeshPath() {
        if (!path.empty()) unlink(path.c_str());
    }
} mesh_path;

// Writes the mesh text once per process into a temporary file.
const std::string &mesh_file() {
    std::string &path = mesh_path.path;
    if (!path.empty()) return path;
    char *name = get_temporary_filename();
    path = name;
    free(name);
    FILE *file = nullptr;
    if (open_file(path.c_str(), WRITE_FILE, ASCII_FORMAT, &file) != OK) abort();
    for (int block = 0; block < 2; ++block) { // points, then normals
        for (int i = 0; i < n_points; ++i) {
            for (int c = 0; c < 3; ++c)
                (void)output_float(file, (float)(0.001 * ((i * 7919 + c * 104729) % 200000)) - 100);
            (void)output_newline(file);
        }
    }
    std::vector<int> indices(n_indices);
    for (int i = 0; i < n_indices; ++i)
        indices[i] = (i * 31) % n_points;
    int *data = indices.data();
    (void)io_ints(file, WRITE_FILE, ASCII_FORMAT, n_indices, &data);
    (void)close_file(file);
    return path;
}

double seconds_since(std::chrono::steady_clock::time_point start) {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

double raw_read_seconds() {
    auto start = std::chrono::steady_clock::now();
    FILE *file = fopen(mesh_file().c_str(), "r");
    std::vector<char> buffer(1 << 16);
    size_t total = 0, got;
    while ((got = fread(buffer.data(), 1, buffer.size(), file)) > 0)
        total += got;
    fclose(file);
    benchmark::DoNotOptimize(total);
    return seconds_since(start);
}

double value_read_seconds() {
    auto start = std::chrono::steady_clock::now();
    FILE *file = nullptr;
    if (open_file(mesh_file().c_str(), READ_FILE, ASCII_FORMAT, &file) != OK) abort();
    float sum = 0, value;
    for (int i = 0; i < 2 * 3 * n_points; ++i) {
        if (input_float(file, &value) != OK) abort();
        sum += value;
    }
    int *indices = nullptr;
    if (io_ints(file, READ_FILE, ASCII_FORMAT, n_indices, &indices) != OK) abort();
    benchmark::DoNotOptimize(sum);
    benchmark::DoNotOptimize(indices[n_indices - 1]);
    FREE(indices);
    (void)close_file(file);
    return seconds_since(start);
}

// Every byte through getc_unlocked: the least any byte-wise parse costs.
double getc_read_seconds() {
    auto start = std::chrono::steady_clock::now();
    FILE *file = fopen(mesh_file().c_str(), "r");
    size_t n_digits = 0;
    int ch;
    while ((ch = getc_unlocked(file)) != EOF)
        n_digits += ch >= '0' && ch <= '9';
    benchmark::DoNotOptimize(n_digits);
    fclose(file);
    return seconds_since(start);
}

double fscanf_read_seconds() {
    auto start = std::chrono::steady_clock::now();
    FILE *file = fopen(mesh_file().c_str(), "r");
    float sum = 0, value;
    for (int i = 0; i < 2 * 3 * n_points; ++i) {
        if (fscanf(file, "%f", &value) != 1) abort();
        sum += value;
    }
    std::vector<int> indices(n_indices);
    for (int i = 0; i < n_indices; ++i)
        if (fscanf(file, "%d", &indices[i]) != 1) abort();
    benchmark::DoNotOptimize(sum);
    benchmark::DoNotOptimize(indices.back());
    fclose(file);
    return seconds_since(start);
}

// Each iteration times the floor and the candidate back to back, so the
// ratio compares runs under the same machine load.
void report(benchmark::State &state, double (*candidate)()) {
    double raw = 0, measured = 0;
    for (auto _ : state) {
        raw += raw_read_seconds();
        double seconds = candidate();
        measured += seconds;
        state.SetIterationTime(seconds);
    }
    state.counters["ratio_to_raw_read"] = measured / raw;
    state.counters["raw_read_ms"] = 1000 * raw / (double)state.iterations();
    state.counters["cores"] = std::thread::hardware_concurrency();
}

void BM_MeshTextValueReaders(benchmark::State &state) {
    report(state, value_read_seconds);
}
void BM_MeshTextFscanf(benchmark::State &state) {
    report(state, fscanf_read_seconds);
}
void BM_MeshTextGetc(benchmark::State &state) {
    report(state, getc_read_seconds);
}

BENCHMARK(BM_MeshTextValueReaders)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_MeshTextFscanf)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_MeshTextGetc)->UseManualTime()->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
