#ifndef TARVEX_TEST_ICV_FILES_H
#define TARVEX_TEST_ICV_FILES_H

// Shared pieces of the image conversion tests: the eight stored value kinds
// (each integer type signed and unsigned, float, double), what a value
// becomes in each kind when converted, raw buffers of any kind, and image
// files over (zspace, yspace, xspace) with optional slice ranges.

#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "vorn_files.h"

namespace tarvex_test {

struct value_kind {
    nc_type type;
    bool is_signed;
    const char *name;
};

inline const std::vector<value_kind> &all_kinds() {
    static const std::vector<value_kind> kinds{
        {NC_BYTE, true, "byte"},     {NC_BYTE, false, "ubyte"},  {NC_SHORT, true, "short"},
        {NC_SHORT, false, "ushort"}, {NC_INT, true, "int"},      {NC_INT, false, "uint"},
        {NC_FLOAT, true, "float"},   {NC_DOUBLE, true, "double"}};
    return kinds;
}

inline const char *sign_text(const value_kind &kind) {
    return kind.is_signed ? "signed__" : "unsigned";
}

inline bool is_integer(const value_kind &kind) {
    return kind.type == NC_BYTE || kind.type == NC_SHORT || kind.type == NC_INT;
}

// Smallest and largest value of a kind.
inline void kind_limits(const value_kind &kind, double *low, double *high) {
    int bits = kind.type == NC_BYTE ? 8 : kind.type == NC_SHORT ? 16 : 32;
    if (kind.type == NC_FLOAT) {
        *low = -FLT_MAX;
        *high = FLT_MAX;
    } else if (kind.type == NC_DOUBLE) {
        *low = -DBL_MAX;
        *high = DBL_MAX;
    } else if (kind.is_signed) {
        *low = -std::ldexp(1.0, bits - 1);
        *high = std::ldexp(1.0, bits - 1) - 1;
    } else {
        *low = 0;
        *high = std::ldexp(1.0, bits) - 1;
    }
}

// What value becomes when stored as kind: integers are clamped to the
// kind's range and rounded half away from zero (NaN is 0), floats are
// clamped to the float range and rounded to single precision.
inline double converted(double value, const value_kind &kind) {
    double low, high;
    kind_limits(kind, &low, &high);
    if (kind.type == NC_DOUBLE) return value;
    if (std::isnan(value)) return kind.type == NC_FLOAT ? value : 0.0;
    value = std::fmin(std::fmax(value, low), high);
    if (kind.type == NC_FLOAT) return static_cast<float>(value);
    return std::round(value);
}

inline size_t kind_size(const value_kind &kind) {
    return kind.type == NC_BYTE ? 1 : kind.type == NC_SHORT ? 2 : kind.type == NC_DOUBLE ? 8 : 4;
}

// Values of one kind in a byte buffer.
class raw_values {
  public:
    raw_values(const value_kind &kind, size_t count)
        : kind_(kind), bytes_(count * kind_size(kind)) {}

    void set(size_t i, double value) {
        unsigned char *at = bytes_.data() + i * kind_size(kind_);
        switch (kind_.type) {
        case NC_BYTE:
            put(at, kind_.is_signed ? static_cast<uint8_t>(static_cast<int8_t>(value))
                                    : static_cast<uint8_t>(value));
            break;
        case NC_SHORT:
            put(at, kind_.is_signed ? static_cast<uint16_t>(static_cast<int16_t>(value))
                                    : static_cast<uint16_t>(value));
            break;
        case NC_INT:
            put(at, kind_.is_signed ? static_cast<uint32_t>(static_cast<int32_t>(value))
                                    : static_cast<uint32_t>(value));
            break;
        case NC_FLOAT:
            put(at, static_cast<float>(value));
            break;
        default:
            put(at, value);
        }
    }
    double get(size_t i) const {
        const unsigned char *at = bytes_.data() + i * kind_size(kind_);
        switch (kind_.type) {
        case NC_BYTE:
            return kind_.is_signed ? static_cast<double>(take<int8_t>(at)) : take<uint8_t>(at);
        case NC_SHORT:
            return kind_.is_signed ? static_cast<double>(take<int16_t>(at)) : take<uint16_t>(at);
        case NC_INT:
            return kind_.is_signed ? static_cast<double>(take<int32_t>(at)) : take<uint32_t>(at);
        case NC_FLOAT:
            return take<float>(at);
        default:
            return take<double>(at);
        }
    }
    size_t size() const { return bytes_.size() / kind_size(kind_); }
    void *data() { return bytes_.data(); }

  private:
    template <typename T> static void put(unsigned char *at, T value) {
        memcpy(at, &value, sizeof(T));
    }
    template <typename T> static T take(const unsigned char *at) {
        T value;
        memcpy(&value, at, sizeof(T));
        return value;
    }
    value_kind kind_;
    std::vector<unsigned char> bytes_;
};

// An ICV of the given kind; freed by the test.
inline int create_icv(const value_kind &kind) {
    int icv = vricv_create();
    EXPECT_GE(icv, 0);
    EXPECT_EQ(vricv_setint(icv, VR_ICV_TYPE, kind.type), 0);
    EXPECT_EQ(vricv_setstr(icv, VR_ICV_SIGN, sign_text(kind)), 0);
    return icv;
}

// A file of either version holding an image over (zspace, yspace, xspace),
// defined through the standard variables, in data mode when made.
class ImageFileTest : public VornBothVersions {
  protected:
    void TearDown() override {
        if (fd_ >= 0) {
            EXPECT_EQ(vrclose(fd_), 0);
        }
        VornBothVersions::TearDown();
    }

    // Defines the image and, when asked, "image-min" and "image-max" over
    // zspace (NC_DOUBLE); valid_range is written when given.
    void make_image(const value_kind &kind, long nz, long ny, long nx, bool slice_ranges,
                    const double *valid_range = nullptr, const std::string &name = "image.vr") {
        fd_ = create(version(), name);
        ASSERT_GE(fd_, 0);
        dims_[0] = VR2dimdef(fd_, "zspace", nz);
        dims_[1] = VR2dimdef(fd_, "yspace", ny);
        dims_[2] = VR2dimdef(fd_, "xspace", nx);
        image_ = vrcreate_std_variable(fd_, "image", kind.type, 3, dims_);
        ASSERT_GE(image_, 0);
        if (is_integer(kind)) {
            ASSERT_EQ(vrattputstr(fd_, image_, "signtype", sign_text(kind)), 0);
        }
        if (valid_range != nullptr) {
            ASSERT_EQ(vrset_valid_range(fd_, image_, valid_range), 0);
        }
        if (slice_ranges) {
            imax_ = vrcreate_std_variable(fd_, "image-max", NC_DOUBLE, 1, dims_);
            imin_ = vrcreate_std_variable(fd_, "image-min", NC_DOUBLE, 1, dims_);
            ASSERT_GE(imax_, 0);
            ASSERT_GE(imin_, 0);
        }
        ASSERT_GE(VR2endef(fd_), 0);
        kind_ = kind;
        sizes_ = {nz, ny, nx};
    }

    // Writes the slice ranges, one (min, max) per z.
    void write_slice_ranges(const std::vector<double> &mins, const std::vector<double> &maxs) {
        long start = 0, count = static_cast<long>(mins.size());
        ASSERT_EQ(vrvarput(fd_, imin_, &start, &count, NC_DOUBLE, nullptr, mins.data()), 0);
        ASSERT_EQ(vrvarput(fd_, imax_, &start, &count, NC_DOUBLE, nullptr, maxs.data()), 0);
    }

    // Writes or reads the whole image in its own kind.
    void write_stored(raw_values &values) {
        long start[3] = {0, 0, 0};
        ASSERT_EQ(vrvarput(fd_, image_, start, sizes_.data(), kind_.type, sign_text(kind_),
                           values.data()),
                  0);
    }
    raw_values read_stored() {
        raw_values values(kind_, voxels());
        long start[3] = {0, 0, 0};
        EXPECT_EQ(vrvarget(fd_, image_, start, sizes_.data(), kind_.type, sign_text(kind_),
                           values.data()),
                  0);
        return values;
    }
    size_t voxels() const { return static_cast<size_t>(sizes_[0] * sizes_[1] * sizes_[2]); }

    int fd_ = -1;
    int dims_[3] = {-1, -1, -1};
    int image_ = -1, imax_ = -1, imin_ = -1;
    value_kind kind_{NC_SHORT, true, "short"};
    std::vector<long> sizes_;
};

} // namespace tarvex_test

#endif
