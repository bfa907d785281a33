// links: zavpl
// Reading and writing a 327,680-triangle sphere mesh with per-vertex colours
// as an object file in both encodings, against the floor of reading the same
// file's bytes. Each iteration times the floor and the candidate back to
// back, so the ratio compares runs under the same machine load; the ratio is
// also given in thread CPU time, which other processes on a busy machine do
// not inflate. Peak memory and the cold time come from one run in a forked
// child on memory fresh from the system, where a second floor reads the
// bytes into a newly allocated block (whose pages are touched for the first
// time, as a reader's results are).

#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <fstream>
#include <malloc.h>
#include <string>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

#include <zavpl.h>

namespace {

const int n_triangles = 327680;

double seconds_since(std::chrono::steady_clock::time_point start) {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

double thread_cpu_seconds() {
    timespec now;
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return (double)now.tv_sec + 1e-9 * (double)now.tv_nsec;
}

// Wall and thread CPU seconds of one call.
struct Timing {
    double wall = 0, cpu = 0;
    void operator+=(const Timing &t) {
        wall += t.wall;
        cpu += t.cpu;
    }
};

template <typename F> Timing time_call(F call) {
    double cpu_start = thread_cpu_seconds();
    auto start = std::chrono::steady_clock::now();
    call();
    return Timing{seconds_since(start), thread_cpu_seconds() - cpu_start};
}

object_struct *make_sphere() {
    object_struct *object = create_object(POLYGONS);
    polygons_struct *polygons = get_polygons_ptr(object);
    Point centre;
    fill_Point(centre, 0.0, 0.0, 0.0);
    create_tetrahedral_sphere(&centre, 60.0, 70.0, 50.0, n_triangles, polygons);
    free_colours(polygons->colour_flag, polygons->colours, polygons->n_points, polygons->n_items);
    polygons->colour_flag = PER_VERTEX_COLOURS;
    ALLOC(polygons->colours, polygons->n_points);
    for (int i = 0; i < polygons->n_points; ++i)
        polygons->colours[i] = make_Colour(i % 256, (i / 256) % 256, 255 - i % 256);
    return object;
}

// The sphere and its two files, made once per process and removed at exit.
struct Fixture {
    object_struct *sphere = nullptr;
    std::string directory;
    std::string file[2]; // by File_formats

    Fixture() {
        set_use_compressed_polygons_flag(FALSE);
        sphere = make_sphere();
        char pattern[] = "/tmp/bench-object-file-XXXXXX";
        if (mkdtemp(pattern) == nullptr) abort();
        directory = pattern;
        for (File_formats format : {ASCII_FORMAT, BINARY_FORMAT}) {
            file[format] = directory + (format == ASCII_FORMAT ? "/ascii.obj" : "/binary.obj");
            if (output_graphics_file(file[format].c_str(), format, 1, &sphere) != OK) abort();
        }
    }
    ~Fixture() {
        delete_object(sphere);
        for (const std::string &name : file)
            unlink(name.c_str());
        unlink((directory + "/written.obj").c_str());
        rmdir(directory.c_str());
    }
};

Fixture &fixture() {
    static Fixture f;
    return f;
}

double file_megabytes(const std::string &name) {
    std::ifstream in(name, std::ios::binary | std::ios::ate);
    return (double)in.tellg() / 1e6;
}

void raw_read(const std::string &name) {
    FILE *file = fopen(name.c_str(), "rb");
    std::vector<char> buffer(1 << 16);
    size_t total = 0, got;
    while ((got = fread(buffer.data(), 1, buffer.size(), file)) > 0)
        total += got;
    fclose(file);
    benchmark::DoNotOptimize(total);
}

// The bytes read into a block of the file's size allocated for them: the
// floor of any reader whose result is new memory (its pages are touched for
// the first time), which the plain floor does not pay.
void allocating_read(const std::string &name) {
    size_t size = (size_t)(file_megabytes(name) * 1e6 + 0.5);
    char *block = static_cast<char *>(malloc(size));
    FILE *file = fopen(name.c_str(), "rb");
    size_t got = fread(block, 1, size, file);
    fclose(file);
    benchmark::DoNotOptimize(got);
    benchmark::DoNotOptimize(block);
    free(block);
}

void read_object_file(const std::string &name) {
    File_formats format;
    int n_objects = 0;
    object_struct **objects = nullptr;
    if (input_graphics_file(name.c_str(), &format, &n_objects, &objects) != OK || n_objects != 1)
        abort();
    delete_object_list(n_objects, objects);
}

void write_object_file(File_formats format) {
    if (output_graphics_file((fixture().directory + "/written.obj").c_str(), format, 1,
                             &fixture().sphere) != OK)
        abort();
}

long status_kilobytes(const char *field) {
    std::ifstream status("/proc/self/status");
    std::string line;
    size_t length = strlen(field);
    while (std::getline(status, line)) {
        if (line.compare(0, length, field) == 0) return atol(line.c_str() + length + 1);
    }
    return -1;
}

// One run of the operation on memory fresh from the system, in a child whose
// freed heap memory is handed back and whose high-water mark is reset first:
// the resident megabytes the operation adds at its peak, and its wall time.
struct ColdRun {
    double peak_megabytes = -1, seconds = -1;
};

template <typename Operation> ColdRun cold_run(Operation operation) {
    int fds[2];
    ColdRun result;
    if (pipe(fds) != 0) return result;
    fflush(nullptr);
    pid_t child = fork();
    if (child == 0) {
        malloc_trim(0);
        std::ofstream("/proc/self/clear_refs") << "5";
        long before = status_kilobytes("VmRSS:");
        ColdRun run;
        run.seconds = time_call(operation).wall;
        run.peak_megabytes = (double)(status_kilobytes("VmHWM:") - before) / 1000.0;
        ssize_t written = write(fds[1], &run, sizeof run);
        _exit(written == (ssize_t)sizeof run ? 0 : 1);
    }
    close(fds[1]);
    if (read(fds[0], &result, sizeof result) != (ssize_t)sizeof result) result = ColdRun();
    close(fds[0]);
    waitpid(child, nullptr, 0);
    return result;
}

// The arrays a read mesh owns.
double mesh_megabytes(const polygons_struct *p) {
    double bytes = (double)p->n_points * (sizeof(Point) + sizeof(Vector) + sizeof(Colour)) +
                   (double)p->n_items * sizeof(int) +
                   (double)p->end_indices[p->n_items - 1] * sizeof(int);
    return bytes / 1e6;
}

// Times the floor and the operation back to back in every iteration.
template <typename Operation>
void run(benchmark::State &state, const std::string &floor_file, Operation operation) {
    Timing raw, measured;
    for (auto _ : state) {
        raw += time_call([&] { raw_read(floor_file); });
        Timing t = time_call(operation);
        measured += t;
        state.SetIterationTime(t.wall);
    }
    double megabytes = file_megabytes(floor_file);
    double n = (double)state.iterations();
    state.counters["file_MB"] = megabytes;
    state.counters["MB_per_s"] = megabytes * n / measured.wall;
    state.counters["raw_read_ms"] = 1000 * raw.wall / n;
    state.counters["ratio_to_raw_read"] = measured.wall / raw.wall;
    state.counters["cpu_ratio_to_raw_read"] = measured.cpu / raw.cpu;
    ColdRun cold = cold_run(operation);
    state.counters["peak_MB"] = cold.peak_megabytes;
    state.counters["cold_ms"] = 1000 * cold.seconds;
    state.counters["cold_ratio_to_raw_read"] = cold.seconds / (raw.wall / n);
    ColdRun cold_floor = cold_run([&] { allocating_read(floor_file); });
    state.counters["cold_ratio_to_allocating_read"] = cold.seconds / cold_floor.seconds;
    state.counters["cores"] = std::thread::hardware_concurrency();
}

void BM_ReadObjectFile(benchmark::State &state) {
    const std::string &name = fixture().file[state.range(0)];
    run(state, name, [&] { read_object_file(name); });
    state.counters["mesh_MB"] = mesh_megabytes(get_polygons_ptr(fixture().sphere));
    state.SetLabel(state.range(0) == ASCII_FORMAT ? "ascii" : "binary");
}

void BM_WriteObjectFile(benchmark::State &state) {
    File_formats format = (File_formats)state.range(0);
    run(state, fixture().file[format], [&] { write_object_file(format); });
    state.SetLabel(format == ASCII_FORMAT ? "ascii" : "binary");
}

BENCHMARK(BM_ReadObjectFile)
    ->Arg(ASCII_FORMAT)
    ->Arg(BINARY_FORMAT)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_WriteObjectFile)
    ->Arg(ASCII_FORMAT)
    ->Arg(BINARY_FORMAT)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);

} // namespace

// Freed memory stays with the process (glibc would otherwise move these
// thresholds as blocks come and go), so the timed loops measure reading into
// memory the process already has, whatever ran before; cold_run measures
// memory fresh from the system.
int main(int argc, char **argv) {
    mallopt(M_MMAP_THRESHOLD, 256 << 20);
    mallopt(M_TRIM_THRESHOLD, 512 << 20);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
