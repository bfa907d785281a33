// links: zavInventor
// Converts a 327,680-triangle sphere mesh with per-vertex colours and normals
// with the tarvex program, in both encodings, and reports wall time and peak
// memory next to the time the Inventor reader takes to read the written
// scene back, all in one run.
//
// Usage: bench_tarvex [path/to/tarvex]   (default: ../bin/tarvex beside this program)

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <Inventor/SoDB.h>
#include <Inventor/SoInput.h>

#include <zavInventor.h>

namespace {

using Clock = std::chrono::steady_clock;

double seconds_since(Clock::time_point start) {
    return std::chrono::duration<double>(Clock::now() - start).count();
}

Status write_sphere(const std::string &path, File_formats format) {
    object_struct *object = create_object(POLYGONS);
    polygons_struct *sphere = get_polygons_ptr(object);
    Point centre;
    fill_Point(centre, 0, 0, 0);
    create_tetrahedral_sphere(&centre, 50.0, 60.0, 70.0, 327680, sphere);
    compute_polygon_normals(sphere);
    sphere->colour_flag = PER_VERTEX_COLOURS;
    REALLOC(sphere->colours, sphere->n_points);
    for (int v = 0; v < sphere->n_points; ++v)
        sphere->colours[v] = make_rgba_Colour(v % 256, (v / 256) % 256, 128, 255);
    Status status = output_graphics_file(path.c_str(), format, 1, &object);
    delete_object(object);
    return status;
}

struct RunFigures {
    bool ok = false;
    double wall_seconds = 0;
    long peak_kib = 0;
};

// Runs tarvex INPUT -out_file OUTPUT as a child; its own peak memory comes
// from the child's resource usage.
RunFigures run_tarvex(const std::string &program, const std::string &input,
                      const std::string &output) {
    RunFigures figures;
    Clock::time_point start = Clock::now();
    fflush(nullptr);
    pid_t pid = fork();
    if (pid == 0) {
        execl(program.c_str(), program.c_str(), input.c_str(), "-out_file", output.c_str(),
              (char *)nullptr);
        _exit(127);
    }
    if (pid < 0) return figures;
    int status;
    struct rusage usage;
    if (wait4(pid, &status, 0, &usage) != pid) return figures;
    figures.wall_seconds = seconds_since(start);
    figures.peak_kib = usage.ru_maxrss;
    figures.ok = WIFEXITED(status) && WEXITSTATUS(status) == 0;
    return figures;
}

double read_scene_back(const std::string &scene) {
    Clock::time_point start = Clock::now();
    SoInput input;
    if (!input.openFile(scene.c_str())) return -1;
    SoSeparator *root = SoDB::readAll(&input);
    if (root == nullptr) return -1;
    root->ref();
    double elapsed = seconds_since(start);
    root->unref();
    return elapsed;
}

long file_size(const std::string &path) {
    struct stat info;
    return stat(path.c_str(), &info) == 0 ? (long)info.st_size : -1;
}

} // namespace

int main(int argc, char *argv[]) {
    std::string self = argv[0];
    std::string program =
        argc > 1 ? argv[1] : self.substr(0, self.find_last_of('/') + 1) + "../bin/tarvex";
    char dir_template[] = "/tmp/bench-tarvex-XXXXXX";
    if (mkdtemp(dir_template) == nullptr) return 1;
    std::string dir = dir_template;
    SoDB::init();

    printf("cores: %ld\n", sysconf(_SC_NPROCESSORS_ONLN));
    printf("%-8s %10s %10s %12s %12s %14s %8s\n", "encoding", "obj MB", "scene MB", "tarvex s",
           "peak MiB", "Inventor read s", "ratio");
    const struct {
        const char *name;
        File_formats format;
    } encodings[] = {{"ascii", ASCII_FORMAT}, {"binary", BINARY_FORMAT}};
    int failures = 0;
    for (const auto &encoding : encodings) {
        std::string input = dir + "/sphere_" + encoding.name + ".obj";
        std::string scene = dir + "/sphere_" + encoding.name + ".iv";
        if (write_sphere(input, encoding.format) != OK) {
            fprintf(stderr, "cannot write %s\n", input.c_str());
            ++failures;
            continue;
        }
        RunFigures run = run_tarvex(program, input, scene);
        double read_seconds = run.ok ? read_scene_back(scene) : -1;
        if (!run.ok || read_seconds < 0) {
            fprintf(stderr, "conversion or read-back failed for %s\n", input.c_str());
            ++failures;
            continue;
        }
        printf("%-8s %10.1f %10.1f %12.3f %12.1f %14.3f %8.2f\n", encoding.name,
               file_size(input) / 1e6, file_size(scene) / 1e6, run.wall_seconds,
               run.peak_kib / 1024.0, read_seconds, run.wall_seconds / read_seconds);
        unlink(input.c_str());
        unlink(scene.c_str());
    }
    rmdir(dir.c_str());
    return failures == 0 ? 0 : 1;
}
