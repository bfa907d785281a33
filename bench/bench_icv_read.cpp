// links: vorn
// Reading a 256 x 256 x 256 signed 16-bit image through an image conversion
// variable into doubles, normalised slice by slice through "image-max" and
// "image-min", against a plain read of the same stored values into memory:
// HDF5's own read for a version 2 file, netCDF's for a version 1 file.

#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <thread>
#include <unistd.h>
#include <vector>

#include <hdf5.h>
#include <netcdf.h>
#include <vorn.h>

namespace {

const long n = 256;
const size_t voxels = static_cast<size_t>(n) * n * n;

// The two files, made once per process in a directory removed at the end.
struct Files {
    std::string dir, version1, version2;
    ~Files() {
        if (!dir.empty()) std::filesystem::remove_all(dir);
    }
} files;

void write_image(const std::string &path, int version_mode) {
    int fd = vrcreate(path.c_str(), version_mode);
    if (fd < 0) abort();
    int dims[3] = {VR2dimdef(fd, "zspace", n), VR2dimdef(fd, "yspace", n),
                   VR2dimdef(fd, "xspace", n)};
    int image = vrcreate_std_variable(fd, "image", NC_SHORT, 3, dims);
    int imax = vrcreate_std_variable(fd, "image-max", NC_DOUBLE, 1, dims);
    int imin = vrcreate_std_variable(fd, "image-min", NC_DOUBLE, 1, dims);
    if (image < 0 || imax < 0 || imin < 0 || vrattputstr(fd, image, "signtype", "signed__") < 0 ||
        VR2endef(fd) < 0)
        abort();
    std::vector<double> mins(n), maxs(n);
    for (long z = 0; z < n; z++) {
        mins[z] = -static_cast<double>(z);
        maxs[z] = 100.0 + static_cast<double>(z);
    }
    long start[3] = {0, 0, 0}, count[3] = {n, n, n};
    std::vector<short> values(voxels);
    for (size_t i = 0; i < voxels; i++)
        values[i] = static_cast<short>((i * 7919) % 65536 - 32768);
    if (vrvarput(fd, imin, start, count, NC_DOUBLE, nullptr, mins.data()) < 0 ||
        vrvarput(fd, imax, start, count, NC_DOUBLE, nullptr, maxs.data()) < 0 ||
        vrvarput(fd, image, start, count, NC_SHORT, "signed__", values.data()) < 0 ||
        vrclose(fd) < 0)
        abort();
}

void make_files() {
    if (!files.dir.empty()) return;
    const char *base = getenv("TMPDIR");
    std::string pattern =
        std::string(base != nullptr && base[0] ? base : "/tmp") + "/bench-icv-XXXXXX";
    if (mkdtemp(&pattern[0]) == nullptr) abort();
    files.dir = pattern;
    // Plain, contiguous datasets: no configuration from the environment or
    // a personal file.
    setenv("HOME", files.dir.c_str(), 1);
    for (const char *name : {"VORN_COMPRESS", "VORN_CHUNKING", "VORN_FORCE_V2"})
        unsetenv(name);
    files.version1 = files.dir + "/image1.vr";
    files.version2 = files.dir + "/image2.vr";
    write_image(files.version1, VR_CREATE_V1);
    write_image(files.version2, VR_CREATE_V2);
}

double seconds_since(std::chrono::steady_clock::time_point start) {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

// The caller's buffers, touched once so that page faults stay out of the
// timings.
std::vector<short> &short_buffer() {
    static std::vector<short> buffer(voxels, 1);
    return buffer;
}
std::vector<double> &double_buffer() {
    static std::vector<double> buffer(voxels, 1.0);
    return buffer;
}

double icv_read_seconds(const std::string &path) {
    auto start = std::chrono::steady_clock::now();
    int fd = vropen(path.c_str(), NC_NOWRITE);
    int icv = vricv_create();
    if (fd < 0 || icv < 0 || vricv_setint(icv, VR_ICV_TYPE, NC_DOUBLE) < 0 ||
        vricv_setint(icv, VR_ICV_DO_NORM, TRUE) < 0 ||
        vricv_attach(icv, fd, VR2varid(fd, "image")) < 0)
        abort();
    long corner[3] = {0, 0, 0}, count[3] = {n, n, n};
    if (vricv_get(icv, corner, count, double_buffer().data()) < 0) abort();
    benchmark::DoNotOptimize(double_buffer()[voxels - 1]);
    if (vricv_free(icv) < 0 || vrclose(fd) < 0) abort();
    return seconds_since(start);
}

double hdf5_read_seconds(hid_t memory_type, void *buffer) {
    auto start = std::chrono::steady_clock::now();
    hid_t file = H5Fopen(files.version2.c_str(), H5F_ACC_RDONLY, H5P_DEFAULT);
    hid_t dataset = H5Dopen2(file, "/vorn-2.0/image/0/image", H5P_DEFAULT);
    if (file < 0 || dataset < 0 ||
        H5Dread(dataset, memory_type, H5S_ALL, H5S_ALL, H5P_DEFAULT, buffer) < 0)
        abort();
    benchmark::ClobberMemory();
    H5Dclose(dataset);
    H5Fclose(file);
    return seconds_since(start);
}

double netcdf_read_seconds() {
    auto start = std::chrono::steady_clock::now();
    int file, var;
    if (nc_open(files.version1.c_str(), NC_NOWRITE, &file) != NC_NOERR ||
        nc_inq_varid(file, "image", &var) != NC_NOERR ||
        nc_get_var_short(file, var, short_buffer().data()) != NC_NOERR)
        abort();
    benchmark::ClobberMemory();
    nc_close(file);
    return seconds_since(start);
}

// Each iteration times the plain read and the conversion read back to back,
// so that the ratio compares runs under the same machine load.
void BM_Version2IcvReadVsHdf5(benchmark::State &state) {
    make_files();
    double plain = 0, plain_double = 0, measured = 0;
    for (auto _ : state) {
        plain += hdf5_read_seconds(H5T_NATIVE_SHORT, short_buffer().data());
        plain_double += hdf5_read_seconds(H5T_NATIVE_DOUBLE, double_buffer().data());
        double seconds = icv_read_seconds(files.version2);
        measured += seconds;
        state.SetIterationTime(seconds);
    }
    state.counters["ratio_to_plain_read"] = measured / plain;
    state.counters["ratio_to_hdf5_double_read"] = measured / plain_double;
    state.counters["plain_read_ms"] = 1000 * plain / static_cast<double>(state.iterations());
    state.counters["cores"] = std::thread::hardware_concurrency();
}

void BM_Version1IcvReadVsNetcdf(benchmark::State &state) {
    make_files();
    double plain = 0, measured = 0;
    for (auto _ : state) {
        plain += netcdf_read_seconds();
        double seconds = icv_read_seconds(files.version1);
        measured += seconds;
        state.SetIterationTime(seconds);
    }
    state.counters["ratio_to_plain_read"] = measured / plain;
    state.counters["plain_read_ms"] = 1000 * plain / static_cast<double>(state.iterations());
    state.counters["cores"] = std::thread::hardware_concurrency();
}

BENCHMARK(BM_Version2IcvReadVsHdf5)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Version1IcvReadVsNetcdf)->UseManualTime()->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
