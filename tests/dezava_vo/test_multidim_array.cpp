// Typed multidimensional arrays: types, allocation, addressing and the
// reordering block copy.

#include <gtest/gtest.h>

#include <algorithm>
#include <cfloat>
#include <climits>
#include <cstdint>
#include <cstring>
#include <numeric>
#include <string>
#include <sys/mman.h>
#include <vector>

#include <dezava_vo.h>

#include "print_capture.h"
#include "test_helpers.h"

using tarvex_test::CapturePrint;
using tarvex_test::ScopedEnv;

namespace {

// An allocated array whose element i (in row-major order) holds the bytes of
// the number i + 1, or the fill byte when filled.
class TestArray {
  public:
    TestArray(Data_types type, std::vector<int> sizes) : sizes_(sizes) {
        status_ = create_multidim_array(&array_, (int)sizes.size(), sizes.data(), type);
        type_size_ = get_type_size(type);
    }
    ~TestArray() {
        if (multidim_array_is_alloced(&array_)) delete_multidim_array(&array_);
    }
    TestArray(const TestArray &) = delete;
    TestArray &operator=(const TestArray &) = delete;

    multidim_array *get() { return &array_; }
    Status status() const { return status_; }
    int type_size() const { return type_size_; }
    size_t n_elements() const {
        return std::accumulate(sizes_.begin(), sizes_.end(), size_t{1},
                               [](size_t a, int b) { return a * (size_t)b; });
    }
    unsigned char *bytes() {
        std::vector<int> zeros(sizes_.size(), 0);
        return static_cast<unsigned char *>(get_multidim_element_address(&array_, zeros.data()));
    }
    std::vector<unsigned char> contents() {
        return std::vector<unsigned char>(bytes(), bytes() + n_elements() * type_size_);
    }
    void number_elements() {
        for (size_t i = 0; i < n_elements(); ++i)
            element_bytes(i, type_size_, bytes() + i * type_size_);
    }
    void fill(unsigned char byte) { memset(bytes(), byte, n_elements() * type_size_); }

    static void element_bytes(size_t i, int type_size, unsigned char *out) {
        uint64_t value = i + 1;
        for (int b = 0; b < type_size; ++b)
            out[b] = (unsigned char)(value >> (8 * (b % 8)));
    }

  private:
    multidim_array array_{};
    std::vector<int> sizes_;
    Status status_;
    int type_size_;
};

size_t linear_index(const std::vector<int> &index, const std::vector<int> &sizes) {
    size_t offset = 0;
    for (size_t d = 0; d < sizes.size(); ++d)
        offset = offset * (size_t)sizes[d] + (size_t)index[d];
    return offset;
}

// One copy request and the destination it should produce, computed element
// by element without any of the copy's stride tricks.
struct CopyRequest {
    std::vector<int> src_sizes, dest_sizes, src_ind, dest_ind, counts, to_dest;
};

std::vector<unsigned char> expected_destination(const CopyRequest &r, int type_size,
                                                std::vector<unsigned char> dest) {
    size_t n_src = r.src_sizes.size();
    std::vector<int> offset(n_src, 0); // position inside the block
    for (;;) {
        std::vector<int> src_index(n_src), dest_index = r.dest_ind;
        for (size_t s = 0; s < n_src; ++s) {
            src_index[s] = r.src_ind[s] + offset[s];
            if (r.to_dest[s] >= 0) dest_index[r.to_dest[s]] += offset[s];
        }
        TestArray::element_bytes(linear_index(src_index, r.src_sizes), type_size,
                                 &dest[linear_index(dest_index, r.dest_sizes) * type_size]);
        // Next position, transferred dimensions only.
        size_t s = n_src;
        while (s-- > 0) {
            if (r.to_dest[s] < 0) continue;
            if (++offset[s] < r.counts[s]) break;
            offset[s] = 0;
        }
        if (s == (size_t)-1) return dest;
    }
}

// Every walk order the copy can take.
enum Walk { SOURCE_FLAG, DEST_FLAG, SRC_ENV, DEST_ENV };
const Walk all_walks[] = {SOURCE_FLAG, DEST_FLAG, SRC_ENV, DEST_ENV};

const char *walk_name(Walk walk) {
    static const char *names[] = {"use_src_order", "destination order", "DEZAVA_VO_SRC_ORDER",
                                  "DEZAVA_VO_DEST_ORDER"};
    return names[walk];
}

// Runs the raw copy for the request in the given walk order and checks the
// whole destination, untouched elements included.
void check_copy(const CopyRequest &r, Data_types type, Walk walk) {
    SCOPED_TRACE(walk_name(walk));
    ScopedEnv src_env("DEZAVA_VO_SRC_ORDER", walk == SRC_ENV ? "" : nullptr);
    // The source-order variable wins, so the destination one is set with the
    // flag asking for the other order.
    ScopedEnv dest_env("DEZAVA_VO_DEST_ORDER", walk == DEST_ENV ? "1" : nullptr);
    BOOLEAN use_src_order = (walk == SOURCE_FLAG || walk == DEST_ENV) ? TRUE : FALSE;

    TestArray src(type, r.src_sizes), dest(type, r.dest_sizes);
    ASSERT_EQ(src.status(), OK);
    ASSERT_EQ(dest.status(), OK);
    src.number_elements();
    dest.fill(0xEE);
    std::vector<unsigned char> expected = expected_destination(r, src.type_size(), dest.contents());

    Status status = copy_multidim_data_reordered(
        src.type_size(), get_multidim_element_address(dest.get(), r.dest_ind.data()),
        (int)r.dest_sizes.size(), r.dest_sizes.data(),
        get_multidim_element_address(src.get(), r.src_ind.data()), (int)r.src_sizes.size(),
        r.src_sizes.data(), r.counts.data(), r.to_dest.data(), use_src_order);
    EXPECT_EQ(status, OK);
    EXPECT_TRUE(dest.contents() == expected);
}

class MultidimTest : public ::testing::Test {
  protected:
    ScopedEnv src_order{"DEZAVA_VO_SRC_ORDER", nullptr};
    ScopedEnv dest_order{"DEZAVA_VO_DEST_ORDER", nullptr};
    ScopedEnv no_abort{"ABORT_FLAG", nullptr};
};

} // namespace

// ---- storage types ----

TEST(MultidimTypes, SizesAndFullRanges) {
    const struct {
        Data_types type;
        int size;
        Real min, max;
    } cases[] = {
        {UNSIGNED_BYTE, 1, 0, 255},
        {SIGNED_BYTE, 1, -128, 127},
        {UNSIGNED_SHORT, 2, 0, 65535},
        {SIGNED_SHORT, 2, -32768, 32767},
        {UNSIGNED_INT, 4, 0, 4294967295.0},
        {SIGNED_INT, 4, -2147483648.0, 2147483647},
        {FLOAT, 4, -3.4028234663852886e+38, 3.4028234663852886e+38},
        {DOUBLE, 8, -1.7976931348623157e+308, 1.7976931348623157e+308},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.type);
        EXPECT_EQ(get_type_size(c.type), c.size);
        Real min = 1, max = 2;
        get_type_range(c.type, &min, &max);
        EXPECT_EQ(min, c.min);
        EXPECT_EQ(max, c.max);
    }
    for (Data_types other : {NO_DATA_TYPE, MAX_DATA_TYPE, (Data_types)15}) {
        Real min = 1, max = 2;
        get_type_range(other, &min, &max);
        EXPECT_EQ(min, 1);
        EXPECT_EQ(max, 2);
        EXPECT_EQ(get_type_size(other), 0);
    }
}

// ---- record and allocation ----

TEST_F(MultidimTest, DimensionCountOutsideOneToFiveIsRefused) {
    for (int n : {0, 6, -1, 1000}) {
        CapturePrint capture;
        multidim_array array;
        array.sizes[0] = 11; // sizes are left as they were
        EXPECT_EQ(create_empty_multidim_array(&array, n, FLOAT), ERROR);
        EXPECT_EQ(capture.err(), "create_empty_multidim_array(): n_dimensions (" +
                                     std::to_string(n) + ") not in range 1 to 5.\n");
        EXPECT_EQ(get_multidim_n_dimensions(&array), 0);
        EXPECT_EQ(array.sizes[0], 11);
        EXPECT_FALSE(multidim_array_is_alloced(&array));

        // Nothing below can index past the five sizes or allocate.
        const int six_sizes[6] = {2, 2, 2, 2, 2, 2};
        int out[6] = {-7, -7, -7, -7, -7, -7};
        set_multidim_sizes(&array, six_sizes);
        get_multidim_sizes(&array, out);
        EXPECT_EQ(out[0], -7);
        capture.clear();
        EXPECT_EQ(alloc_multidim_array(&array), ERROR);
        EXPECT_EQ(capture.err(), "Error: cannot allocate array data of 0 dimensions.\n");
        EXPECT_FALSE(multidim_array_is_alloced(&array));
    }
}

TEST_F(MultidimTest, AllocationRefusesUnusableDescriptions) {
    const struct {
        Data_types type;
        std::vector<int> sizes;
        const char *message;
    } cases[] = {
        {NO_DATA_TYPE, {2, 3}, "Error: cannot allocate array data until size specified.\n"},
        {(Data_types)12, {2, 3}, "Error: cannot allocate array data of unknown type 12.\n"},
        {FLOAT, {2, 0}, "Error: cannot allocate array data of size 0 in dimension 1.\n"},
        {FLOAT, {-4}, "Error: cannot allocate array data of size -4 in dimension 0.\n"},
        {DOUBLE,
         {INT_MAX, INT_MAX, INT_MAX, INT_MAX, INT_MAX},
         "Error: cannot allocate array data: size too large.\n"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.message);
        CapturePrint capture;
        multidim_array array;
        EXPECT_EQ(create_multidim_array(&array, (int)c.sizes.size(), c.sizes.data(), c.type),
                  ERROR);
        EXPECT_EQ(capture.err(), c.message);
        EXPECT_FALSE(multidim_array_is_alloced(&array));
    }
}

TEST_F(MultidimTest, DeleteKeepsTheDescriptionAndWarnsOnSecondCall) {
    multidim_array array;
    const int sizes[3] = {2, 3, 4};
    ASSERT_EQ(create_multidim_array(&array, 3, sizes, SIGNED_SHORT), OK);
    ASSERT_TRUE(multidim_array_is_alloced(&array));
    // Allocating again releases the old data first (the leak checker sees it).
    ASSERT_EQ(alloc_multidim_array(&array), OK);

    CapturePrint capture;
    delete_multidim_array(&array);
    EXPECT_EQ(capture.err(), "");
    EXPECT_FALSE(multidim_array_is_alloced(&array));
    int out[3];
    get_multidim_sizes(&array, out);
    EXPECT_EQ(std::vector<int>(out, out + 3), std::vector<int>(sizes, sizes + 3));
    EXPECT_EQ(get_multidim_data_type(&array), SIGNED_SHORT);

    delete_multidim_array(&array);
    EXPECT_EQ(capture.err(), "Warning: cannot free NULL multidim data.\n");

    set_multidim_data_type(&array, DOUBLE);
    ASSERT_EQ(alloc_multidim_array(&array), OK);
    delete_multidim_array(&array);
}

TEST_F(MultidimTest, ElementsAreContiguousBehindThePointerLevels) {
    const std::vector<int> all_sizes = {2, 3, 2, 3, 2};
    for (int n = 1; n <= 5; ++n) {
        SCOPED_TRACE(n);
        std::vector<int> sizes(all_sizes.begin(), all_sizes.begin() + n);
        TestArray array(DOUBLE, sizes);
        ASSERT_EQ(array.status(), OK);
        unsigned char *block = array.bytes();
        std::vector<int> index(n, 0);
        for (size_t i = 0; i < array.n_elements(); ++i) {
            // Follow the pointer levels the way data[i0][i1]... does.
            void *level = array.get()->data;
            for (int d = 0; d < n - 1; ++d)
                level = static_cast<void **>(level)[index[d]];
            double *element = static_cast<double *>(level) + index[n - 1];
            EXPECT_EQ((void *)element, (void *)(block + i * sizeof(double)));
            EXPECT_EQ(get_multidim_element_address(array.get(), index.data()), (void *)element);
            for (int d = n - 1; d >= 0 && ++index[d] == sizes[d]; --d)
                index[d] = 0;
        }
    }
}

// ---- reordering copy ----

TEST_F(MultidimTest, CopiesBetweenEveryPairOfDimensionOrders) {
    // Source dimension s goes to destination dimension perm[s]; sub-blocks
    // start inside both arrays and the destination is larger, so strides,
    // offsets and untouched elements all show.
    const std::vector<int> base_sizes = {3, 4, 5, 2};
    for (int n = 1; n <= 4; ++n) {
        std::vector<int> perm(n);
        std::iota(perm.begin(), perm.end(), 0);
        do {
            CopyRequest r;
            r.src_sizes.assign(base_sizes.begin(), base_sizes.begin() + n);
            r.dest_sizes.assign(n, 0);
            r.dest_ind.assign(n, 0);
            r.to_dest = perm;
            for (int s = 0; s < n; ++s) {
                r.src_ind.push_back(s % 2);
                r.counts.push_back(r.src_sizes[s] - s % 2);
                r.dest_sizes[perm[s]] = r.src_sizes[s] + 1;
                r.dest_ind[perm[s]] = 1;
            }
            std::string label = "permutation";
            for (int p : perm)
                label += " " + std::to_string(p);
            SCOPED_TRACE(label);
            for (Walk walk : all_walks)
                check_copy(r, SIGNED_INT, walk);
        } while (std::next_permutation(perm.begin(), perm.end()));
    }
}

TEST_F(MultidimTest, CopiesWholeRowsAndPartialRowsOfEveryElementSize) {
    const std::vector<CopyRequest> requests = {
        // Whole arrays, identity: one merged block.
        {{2, 3, 4}, {2, 3, 4}, {0, 0, 0}, {0, 0, 0}, {2, 3, 4}, {0, 1, 2}},
        // Only the last dimension merges: six runs of two.
        {{2, 3, 4}, {2, 3, 2}, {0, 0, 0}, {0, 0, 0}, {2, 3, 2}, {0, 1, 2}},
        {{2, 3, 4}, {2, 3, 2}, {0, 0, 2}, {0, 0, 0}, {2, 3, 2}, {0, 1, 2}},
        // Full rows of the source but not of the destination.
        {{2, 3, 4}, {2, 5, 4}, {0, 0, 0}, {0, 1, 0}, {2, 3, 4}, {0, 1, 2}},
        // Transpose.
        {{2, 3, 4}, {4, 3, 2}, {0, 0, 0}, {0, 0, 0}, {2, 3, 4}, {2, 1, 0}},
    };
    for (Data_types type : {UNSIGNED_BYTE, SIGNED_SHORT, FLOAT, DOUBLE}) {
        SCOPED_TRACE(type);
        for (size_t i = 0; i < requests.size(); ++i) {
            SCOPED_TRACE(i);
            for (Walk walk : all_walks)
                check_copy(requests[i], type, walk);
        }
    }
}

TEST_F(MultidimTest, DimensionsLeftOutStayAtTheirStartIndex) {
    const std::vector<CopyRequest> requests = {
        // Source dimension 1 not transferred: a 2-D slice at index 2.
        {{2, 3, 4}, {4, 2}, {0, 2, 0}, {0, 0}, {2, 1, 4}, {1, -1, 0}},
        // The last source dimension not transferred: no merging across it.
        {{3, 4, 5}, {4, 3}, {0, 0, 3}, {0, 0}, {3, 4, 1}, {1, 0, -1}},
        // Destination dimension 1 has no source: the copy stays in its plane 2.
        {{3, 4}, {3, 3, 4}, {0, 0}, {0, 2, 0}, {3, 4}, {0, 2}},
    };
    for (size_t i = 0; i < requests.size(); ++i) {
        SCOPED_TRACE(i);
        for (Walk walk : all_walks)
            check_copy(requests[i], SIGNED_INT, walk);
    }
}

TEST_F(MultidimTest, CopyBetweenArrayRecords) {
    TestArray src(UNSIGNED_SHORT, {3, 4, 5}), dest(UNSIGNED_SHORT, {6, 4, 3});
    src.number_elements();
    dest.fill(0);
    const CopyRequest r = {{3, 4, 5}, {6, 4, 3}, {1, 0, 2}, {3, 1, 0}, {2, 3, 3}, {2, 1, 0}};
    std::vector<unsigned char> expected = expected_destination(r, 2, dest.contents());
    CapturePrint capture;
    EXPECT_EQ(copy_multidim_reordered(dest.get(), r.dest_ind.data(), src.get(), r.src_ind.data(),
                                      r.counts.data(), r.to_dest.data()),
              OK);
    EXPECT_EQ(capture.err(), "");
    EXPECT_TRUE(dest.contents() == expected);
}

TEST_F(MultidimTest, CopyRequestsOutsideTheArraysAreRefused) {
    const struct {
        const char *what;
        std::vector<int> dest_ind, src_ind, counts, to_dest;
        Data_types dest_type;
    } cases[] = {
        {"destination index past the end", {0, 3, 0}, {0, 0, 0}, {1, 1, 1}, {0, 1, 2}, FLOAT},
        {"negative source index", {0, 0, 0}, {0, -1, 0}, {1, 1, 1}, {0, 1, 2}, FLOAT},
        {"source block too long", {0, 0, 0}, {0, 0, 2}, {2, 3, 3}, {0, 1, 2}, FLOAT},
        {"destination block too long", {1, 0, 0}, {0, 0, 0}, {2, 3, 4}, {0, 1, 2}, FLOAT},
        {"negative count", {0, 0, 0}, {0, 0, 0}, {2, -1, 4}, {0, 1, 2}, FLOAT},
        {"destination dimension 3", {0, 0, 0}, {0, 0, 0}, {1, 1, 1}, {0, 1, 3}, FLOAT},
        {"destination dimension -2", {0, 0, 0}, {0, 0, 0}, {1, 1, 1}, {0, 1, -2}, FLOAT},
        {"two dimensions onto one", {0, 0, 0}, {0, 0, 0}, {1, 1, 1}, {0, 0, 2}, FLOAT},
        {"different types", {0, 0, 0}, {0, 0, 0}, {1, 1, 1}, {0, 1, 2}, SIGNED_INT},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        TestArray src(FLOAT, {2, 3, 4}), dest(c.dest_type, {2, 3, 4});
        src.number_elements();
        dest.fill(0xEE);
        std::vector<unsigned char> before = dest.contents();
        CapturePrint capture;
        EXPECT_EQ(copy_multidim_reordered(dest.get(), c.dest_ind.data(), src.get(),
                                          c.src_ind.data(), c.counts.data(), c.to_dest.data()),
                  ERROR);
        EXPECT_NE(capture.err().find("copy_multidim"), std::string::npos);
        EXPECT_TRUE(dest.contents() == before);
    }

    multidim_array unallocated;
    create_empty_multidim_array(&unallocated, 3, FLOAT);
    TestArray src(FLOAT, {2, 3, 4});
    const int zero[3] = {0, 0, 0}, ones[3] = {1, 1, 1}, identity[3] = {0, 1, 2};
    CapturePrint capture;
    EXPECT_EQ(copy_multidim_reordered(&unallocated, zero, src.get(), zero, ones, identity), ERROR);
    EXPECT_EQ(capture.err(), "copy_multidim_reordered(): array not allocated.\n");
}

TEST_F(MultidimTest, RawCopyRefusesImpossibleShapes) {
    char src[64] = {}, dest[64] = {};
    const int sizes[6] = {2, 2, 2, 2, 2, 2}, counts[6] = {1, 1, 1, 1, 1, 1};
    const int identity[6] = {0, 1, 2, 3, 4, 5};
    const int huge[5] = {INT_MAX, INT_MAX, INT_MAX, INT_MAX, INT_MAX};
    const struct {
        const char *what;
        int type_size, n_dest, n_src;
        const int *dest_sizes;
        void *dest_ptr;
    } cases[] = {
        {"element size 0", 0, 2, 2, sizes, dest},
        {"no destination dimensions", 1, 0, 2, sizes, dest},
        {"six source dimensions", 1, 2, 6, sizes, dest},
        {"null destination", 1, 2, 2, sizes, nullptr},
        {"byte count beyond 64 bits", 8, 5, 2, huge, dest},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        CapturePrint capture;
        EXPECT_EQ(copy_multidim_data_reordered(c.type_size, c.dest_ptr, c.n_dest, c.dest_sizes, src,
                                               c.n_src, sizes, counts, identity, TRUE),
                  ERROR);
        EXPECT_NE(capture.err().find("copy_multidim_data_reordered(): "), std::string::npos);
    }
}

// Strides of 2 GiB and more: a virtual region of 6 GiB of which only the
// touched pages become real.
TEST_F(MultidimTest, StridesBeyondTwoGibibytesDoNotWrap) {
    const int big_sizes[2] = {3, 1 << 29}; // rows of 2 GiB of 4-byte elements
    const size_t row_bytes = (size_t)4 << 29;
    const size_t region_bytes = 3 * row_bytes;
    void *region = mmap(nullptr, region_bytes, PROT_READ | PROT_WRITE,
                        MAP_PRIVATE | MAP_ANONYMOUS | MAP_NORESERVE, -1, 0);
    if (region == MAP_FAILED) GTEST_SKIP() << "no 6 GiB of address space";
    char *big = static_cast<char *>(region);
    // The block starts four elements before the end of each row.
    const size_t first_column = ((size_t)1 << 29) - 4;
    auto big_element = [&](int row, int column) {
        return reinterpret_cast<int32_t *>(big + row * row_bytes + (first_column + column) * 4);
    };
    for (int row = 0; row < 3; ++row)
        for (int column = 0; column < 4; ++column)
            *big_element(row, column) = 100 * row + column;

    // Out of the big array, transposed.
    int32_t small[4][3] = {};
    const int small_sizes[2] = {4, 3}, counts[2] = {3, 4}, transpose[2] = {1, 0};
    for (BOOLEAN use_src_order : {TRUE, FALSE}) {
        memset(small, 0, sizeof(small));
        ASSERT_EQ(copy_multidim_data_reordered(4, small, 2, small_sizes, big_element(0, 0), 2,
                                               big_sizes, counts, transpose, use_src_order),
                  OK);
        for (int row = 0; row < 3; ++row)
            for (int column = 0; column < 4; ++column)
                EXPECT_EQ(small[column][row], 100 * row + column);
    }

    // Back into the big array, one row lower.
    const int small_counts[2] = {4, 2};
    for (int row = 0; row < 3; ++row)
        for (int column = 0; column < 4; ++column)
            *big_element(row, column) = -1;
    ASSERT_EQ(copy_multidim_data_reordered(4, big_element(1, 0), 2, big_sizes, small, 2,
                                           small_sizes, small_counts, transpose, TRUE),
              OK);
    for (int column = 0; column < 4; ++column) {
        EXPECT_EQ(*big_element(0, column), -1);
        EXPECT_EQ(*big_element(1, column), small[column][0]);
        EXPECT_EQ(*big_element(2, column), small[column][1]);
    }
    munmap(region, region_bytes);
}
