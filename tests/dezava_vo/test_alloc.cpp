#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <string>

#include "print_capture.h"
#include "test_helpers.h"

using tarvex_test::CapturePrint;
using tarvex_test::ScopedEnv;

namespace {

// Turns checking on for one test and off again afterwards.
class CheckedAlloc : public ::testing::Test {
  protected:
    void SetUp() override { set_alloc_checking(TRUE); }
    void TearDown() override { set_alloc_checking(FALSE); }
    ScopedEnv no_abort{"ABORT_FLAG", nullptr};
};

struct ChunkCase {
    size_t previous, next;
    bool allocated_after;
    size_t capacity_after; // elements the block holds afterwards
};

} // namespace

TEST_F(CheckedAlloc, SetArraySizeFollowsTheChunkRule) {
    const ChunkCase cases[] = {
        {0, 1, true, 100},   {1, 100, true, 100}, {100, 101, true, 200},
        {101, 250, true, 300}, {250, 150, true, 200}, {150, 0, false, 0},
    };
    int *array = nullptr;
    for (const ChunkCase &c : cases) {
        SCOPED_TRACE(std::to_string(c.previous) + " -> " + std::to_string(c.next));
        SET_ARRAY_SIZE(array, c.previous, c.next, 100);
        EXPECT_EQ(array != nullptr, c.allocated_after);
        EXPECT_EQ(get_total_memory_alloced(), c.capacity_after * sizeof(int));
        if (array != nullptr)
            array[c.capacity_after - 1] = 7; // the whole chunk is usable
    }
    SET_ARRAY_SIZE(array, 0, 0, 100);
    EXPECT_EQ(array, nullptr);
}

TEST(Alloc, SetArraySizeGrowsArraysThatWereMadeAtTheirExactSize) {
    int *array;
    ALLOC(array, 3); // not a whole chunk
    for (int n = 3; n < 150; ++n) {
        SET_ARRAY_SIZE(array, n, n + 1, 100);
        ASSERT_NE(array, nullptr);
        array[n] = n; // ASan reports any write past the block
    }
    EXPECT_EQ(array[149], 149);
    FREE(array);
}

TEST(Alloc, ThreeDimensionalLayout) {
    float ***array;
    ALLOC3D(array, 2, 3, 4);
    ASSERT_NE(array, nullptr);
    float *data = array[0][0];
    for (int i = 0; i < 24; ++i)
        data[i] = (float)i;
    EXPECT_EQ(array[1][2][3], 23.0f);
    EXPECT_EQ(array[1][0], data + 12);
    EXPECT_EQ(array[0][2], data + 8);
    // Pointer blocks: 2 entries over a block of 6 row pointers.
    EXPECT_EQ(array[1], array[0] + 3);
    FREE3D(array);
    EXPECT_EQ(array, nullptr);
}

TEST(Alloc, FiveDimensionalIndexingReachesEveryElement) {
    int *****array;
    ALLOC5D(array, 2, 3, 1, 2, 3);
    ASSERT_NE(array, nullptr);
    int n = 0;
    for (int a = 0; a < 2; ++a)
        for (int b = 0; b < 3; ++b)
            for (int d = 0; d < 2; ++d)
                for (int e = 0; e < 3; ++e)
                    array[a][b][0][d][e] = n++;
    const int *data = array[0][0][0][0];
    for (int i = 0; i < n; ++i)
        ASSERT_EQ(data[i], i);
    FREE5D(array);
}

TEST(Alloc, FailuresPrintUnsignedSizesAndReturnNull) {
    ScopedEnv no_abort("ABORT_FLAG", nullptr);
    CapturePrint capture;
    const size_t huge = SIZE_MAX / 2;
    void *p = alloc_memory_1d(huge, 4, "caller.cpp", 12);
    EXPECT_EQ(p, nullptr);
    EXPECT_EQ(capture.err(), "Cannot alloc 1D array of " + std::to_string(huge) +
                                 " elements of 4 bytes.\n    Source position: caller.cpp:12\n");

    capture.clear();
    EXPECT_EQ(alloc_memory_in_bytes(SIZE_MAX, "c.cpp", 3), nullptr);
    EXPECT_EQ(capture.err(), "Cannot alloc 1D array of " + std::to_string(SIZE_MAX) +
                                 " bytes.\n    Source position: c.cpp:3\n");

    // The product of the dimensions overflows: a failure, never a short block.
    capture.clear();
    EXPECT_EQ(alloc_memory_3d(huge, huge, 2, 8, "c.cpp", 4), nullptr);
    EXPECT_NE(capture.err().find("Cannot alloc 3D array of"), std::string::npos);
}

TEST(Alloc, ZeroDimensionsGiveNullAndFreeingNullIsHarmless) {
    CapturePrint capture;
    double **matrix = reinterpret_cast<double **>(alloc_memory_2d(0, 5, 8, "c.cpp", 1));
    EXPECT_EQ(matrix, nullptr);
    EXPECT_EQ(alloc_memory_1d(0, 8, "c.cpp", 2), nullptr);
    FREE2D(matrix);
    int *single = nullptr;
    FREE(single);
    EXPECT_EQ(capture.err(), ""); // checking is off: nothing to report
}

TEST(Alloc, ReallocOfZeroElementsLeavesTheBlock) {
    CapturePrint capture;
    int *array;
    ALLOC(array, 4);
    int *before = array;
    realloc_memory(reinterpret_cast<void **>(&array), 0, sizeof(int), "r.cpp", 9);
    EXPECT_EQ(array, before);
    EXPECT_EQ(capture.err(), "Error: tried to realloc invalid number of elements, 0.\n"
                             "    Source position: r.cpp:9\n");
    FREE(array);
}

TEST_F(CheckedAlloc, DoubleFreeAndNullFreeAreReported) {
    CapturePrint capture;
    int *first;
    ALLOC(first, 10);
    int *second = first;
    FREE(first);
    EXPECT_EQ(capture.err(), "");
    free_memory_1d(reinterpret_cast<void **>(&second), "twice.cpp", 20);
    EXPECT_EQ(capture.err(), "twice.cpp:20\t-1'th alloc: Tried to free a pointer not alloced.\n");
    EXPECT_NE(second, nullptr); // nothing freed, pointer left alone

    capture.clear();
    free_memory_1d(reinterpret_cast<void **>(&first), "null.cpp", 21);
    EXPECT_EQ(capture.err(), "null.cpp:21\t-1'th alloc: Tried to free a NIL pointer.\n");
}

TEST_F(CheckedAlloc, ZeroSizeRequestIsReported) {
    CapturePrint capture;
    EXPECT_EQ(alloc_memory_1d(0, 4, "zero.cpp", 5), nullptr);
    EXPECT_EQ(capture.err(), "zero.cpp:5\t-1'th alloc: Alloc called with zero size.\n");
}

TEST_F(CheckedAlloc, FreeOfPartlyUnknownArrayRemovesNothing) {
    CapturePrint capture;
    int **matrix;
    ALLOC2D(matrix, 3, 4);
    size_t total = get_total_memory_alloced();
    int *data = matrix[0];
    // Forget the data block behind the checker's back, then free the array.
    ASSERT_TRUE(unrecord_ptr_alloc_check(data, "t.cpp", 1));
    FREE2D(matrix);
    EXPECT_NE(capture.err().find("Tried to free a pointer not alloced"), std::string::npos);
    ASSERT_NE(matrix, nullptr);
    EXPECT_EQ(get_total_memory_alloced(), total - 12 * sizeof(int)); // pointer block still known
    // Put it back and free properly.
    record_ptr_alloc_check(data, 12 * sizeof(int), "t.cpp", 2);
    FREE2D(matrix);
    EXPECT_EQ(matrix, nullptr);
}

TEST_F(CheckedAlloc, LeakReportListsLiveBlocksWithFirstIdentity) {
    tarvex_test::TempDir dir;
    CapturePrint capture;
    static const char kSource[] = "leaky.cpp";
    void *block = alloc_memory_1d(8, 1, kSource, 40);
    realloc_memory(&block, 4000, 1, "grow.cpp", 41); // keeps leaky.cpp:40

    std::string report = dir.file("leaks.txt");
    output_alloc_to_file(report.c_str());
    EXPECT_EQ(capture.err(), "\n\nA memory leak was found in this program.\n"
                             "A description has been recorded in the file " +
                                 report +
                                 ".\nPlease report this file to the author of the program.\n\n");
    std::string table = tarvex_test::read_file(report);
    EXPECT_EQ(table.rfind("Alloc table at ", 0), 0u);
    EXPECT_NE(table.find("leaky.cpp:40\t"), std::string::npos);
    EXPECT_EQ(table.find("grow.cpp"), std::string::npos);
    // One line per live block and nothing of the report's own.
    EXPECT_EQ(std::count(table.begin(), table.end(), '\t'), 1);
    free_memory_1d(&block, "t.cpp", 50);
}

TEST_F(CheckedAlloc, LeakReportWithoutFileGoesToStdout) {
    CapturePrint capture;
    void *block = alloc_memory_1d(8, 1, "out.cpp", 7);
    testing::internal::CaptureStdout();
    output_alloc_to_file(nullptr);
    std::string out = testing::internal::GetCapturedStdout();
    EXPECT_NE(out.find("out.cpp:7\t"), std::string::npos);
    EXPECT_EQ(capture.err().find("A description has been recorded"), std::string::npos);
    free_memory_1d(&block, "t.cpp", 8);
}

// Environment-driven switches are read once per process, so these run in a child.
TEST(AllocDeathTest, StopAllocAtReportsTheNumberedAllocation) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    auto child = [] {
        setenv("STOP_ALLOC_AT", "5", 1);
        unsetenv("ABORT_FLAG");
        set_alloc_checking(TRUE);
        for (int i = 0; i < 4; ++i)
            (void)alloc_memory_1d(1, 1, "s.cpp", i);
        fprintf(stderr, "[before]");
        (void)alloc_memory_1d(2500000, 1, "s.cpp", 5);
        fprintf(stderr, "[after]");
        // The fifth block was recorded despite the stop message.
        _exit(get_total_memory_alloced() == 2500004 ? 0 : 1);
    };
    EXPECT_EXIT(child(), testing::ExitedWithCode(0),
                "\\[before\\]Internal error:  get_current_sequence_number\n\\[after\\]");
}

namespace {
void print_to_stderr(const char *message) { fputs(message, stderr); }
} // namespace

TEST(AllocDeathTest, MemoryReportPrintsOncePerMillion) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    auto child = [] {
        setenv("ALLOC_SIZE", "1", 1);
        set_alloc_checking(TRUE);
        set_print_function(print_to_stderr);
        void *block = alloc_memory_1d(2500000, 1, "m.cpp", 1);
        fprintf(stderr, "[next]");
        void *small = alloc_memory_1d(1000, 1, "m.cpp", 2); // same million: no new line
        fprintf(stderr, "[third]");
        void *more = alloc_memory_1d(600000, 1, "m.cpp", 3); // passes 3,000,000
        (void)block;
        (void)small;
        (void)more;
        _exit(0);
    };
    EXPECT_EXIT(child(), testing::ExitedWithCode(0),
                "^Memory allocated =  2.5 Megabytes  \\(Overhead = +[0-9.]+ Mb\\)\n"
                "\\[next\\]\\[third\\]Memory allocated =  3.1 Megabytes");
}
