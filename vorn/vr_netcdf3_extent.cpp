// netCDF reads past the end of a truncated netCDF-3 file as if it held
// zeros, so a cut file opens "successfully" with made-up contents. This walks
// the header as stored to check that the file holds all of it and, unless
// only the header is wanted, all the data the header describes.

#include <cstdint>
#include <cstdio>
#include <sys/stat.h>
#include <vector>

#include "vr_basic.h"
#include "vr_dispatch_table.h"

namespace {

const uint32_t tag_dimension = 0x0a;
const uint32_t tag_variable = 0x0b;
const uint32_t tag_attribute = 0x0c;
const uint64_t streaming = 0xffffffff;

// Big-endian reader over a file; any read past its end sets failed.
class header_reader {
  public:
    header_reader(FILE *file, int version, uint64_t file_size)
        : file_(file), version_(version), file_size_(file_size) {}

    bool failed() const { return failed_; }
    uint64_t offset() const { return offset_; }

    uint64_t read(int bytes) {
        uint64_t value = 0;
        for (int i = 0; i < bytes; i++) {
            int c = getc(file_);
            if (c == EOF) {
                failed_ = true;
                return 0;
            }
            value = value << 8 | static_cast<unsigned>(c);
        }
        offset_ += static_cast<uint64_t>(bytes);
        return value;
    }
    // Counts and sizes are 8 bytes in the 64-bit data format.
    uint64_t count() { return read(version_ == 5 ? 8 : 4); }
    uint64_t begin() { return read(version_ == 1 ? 4 : 8); }
    void skip(uint64_t bytes) {
        if (failed_) return;
        // Seeking past the end would not fail by itself.
        if (bytes > file_size_ - offset_ ||
            fseeko(file_, static_cast<off_t>(bytes), SEEK_CUR) != 0) {
            failed_ = true;
            return;
        }
        offset_ += bytes;
    }
    void skip_padded(uint64_t bytes) {
        skip(bytes > UINT64_MAX - 3 ? UINT64_MAX : (bytes + 3) & ~3ULL);
    }
    void skip_name() { skip_padded(count()); }

  private:
    FILE *file_;
    int version_;
    uint64_t file_size_;
    bool failed_ = false;
    uint64_t offset_ = 4; // after the magic number
};

uint64_t type_size(uint32_t type) {
    switch (type) {
    case NC_BYTE:
    case NC_CHAR:
    case NC_UBYTE:
        return 1;
    case NC_SHORT:
    case NC_USHORT:
        return 2;
    case NC_INT:
    case NC_FLOAT:
    case NC_UINT:
        return 4;
    case NC_DOUBLE:
    case NC_INT64:
    case NC_UINT64:
        return 8;
    default:
        return 0;
    }
}

// Walks one list's tag and element count; false for a malformed tag.
bool list_header(header_reader &in, uint32_t tag, uint64_t *nelems) {
    uint64_t found = in.read(4);
    *nelems = in.count();
    return !in.failed() && (found == tag || (found == 0 && *nelems == 0));
}

bool skip_attributes(header_reader &in) {
    uint64_t natts;
    if (!list_header(in, tag_attribute, &natts)) return false;
    for (uint64_t i = 0; i < natts && !in.failed(); i++) {
        in.skip_name();
        uint64_t size = type_size(static_cast<uint32_t>(in.read(4)));
        uint64_t nelems = in.count();
        if (size == 0 || nelems > UINT64_MAX / size) return false;
        in.skip_padded(nelems * size);
    }
    return !in.failed();
}

struct variable_extent {
    bool is_record;
    uint64_t begin;
    uint64_t size; // bytes of the whole variable, or of one record
};

// Multiplies with overflow detection.
bool multiply(uint64_t *product, uint64_t factor) {
    if (factor != 0 && *product > UINT64_MAX / factor) return false;
    *product *= factor;
    return true;
}

} // namespace

int VR_netcdf3_file_complete(const char *path, int header_only) {
    FILE *file = fopen(path, "rb");
    if (file == nullptr) return FALSE;
    struct stat status;
    unsigned char magic[4];
    bool ok = fstat(fileno(file), &status) == 0 && fread(magic, 1, 4, file) == 4 &&
              magic[0] == 'C' && magic[1] == 'D' && magic[2] == 'F' &&
              (magic[3] == 1 || magic[3] == 2 || magic[3] == 5);
    uint64_t file_size = ok ? static_cast<uint64_t>(status.st_size) : 0;
    header_reader in(file, ok ? magic[3] : 1, file_size);
    std::vector<uint64_t> dim_lengths;
    std::vector<variable_extent> vars;
    uint64_t numrecs = 0, ndims = 0, nvars = 0;
    if (ok) {
        numrecs = in.count();
        ok = list_header(in, tag_dimension, &ndims);
        for (uint64_t i = 0; ok && i < ndims && !in.failed(); i++) {
            in.skip_name();
            dim_lengths.push_back(in.count());
        }
        ok = ok && !in.failed() && skip_attributes(in) && list_header(in, tag_variable, &nvars);
        for (uint64_t i = 0; ok && i < nvars && !in.failed(); i++) {
            in.skip_name();
            uint64_t var_ndims = in.count();
            variable_extent var{false, 0, 1};
            for (uint64_t d = 0; ok && d < var_ndims && !in.failed(); d++) {
                uint64_t dimid = in.count();
                if (dimid >= dim_lengths.size()) {
                    ok = false;
                } else if (d == 0 && dim_lengths[dimid] == 0) {
                    var.is_record = true;
                } else {
                    ok = multiply(&var.size, dim_lengths[dimid]);
                }
            }
            ok = ok && skip_attributes(in);
            uint64_t size = type_size(static_cast<uint32_t>(in.read(4)));
            in.count(); // vsize: capped for large variables, so recomputed
            var.begin = in.begin();
            ok = ok && size != 0 && multiply(&var.size, size);
            vars.push_back(var);
        }
    }
    ok = ok && !in.failed();

    if (ok && !header_only) {
        // The whole of every fixed-size variable, and every record, must be
        // in the file; a record holds each record variable padded to 4 bytes
        // (unpadded when it is the only one).
        int nrecord = 0;
        uint64_t recsize = 0;
        for (const variable_extent &var : vars)
            if (var.is_record) nrecord++;
        for (const variable_extent &var : vars)
            if (var.is_record) recsize += nrecord == 1 ? var.size : (var.size + 3) & ~3ULL;
        uint64_t needed = in.offset();
        for (const variable_extent &var : vars) {
            uint64_t end = var.begin;
            if (!var.is_record) {
                end += var.size;
            } else if (numrecs != streaming && numrecs > 0) {
                uint64_t records = numrecs - 1;
                ok = ok && multiply(&records, recsize);
                end += records + var.size;
            }
            if (end > needed) needed = end;
        }
        ok = ok && file_size >= needed;
    }
    fclose(file);
    return ok ? TRUE : FALSE;
}
