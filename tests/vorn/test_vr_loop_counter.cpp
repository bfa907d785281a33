// The n-dimensional block loop: visiting order and coverage of a region.

#include <gtest/gtest.h>

#include <map>
#include <vector>

#include <vorn.h>

namespace {

struct Block {
    std::vector<long> start;
    std::vector<long> count;
    bool operator==(const Block &other) const {
        return start == other.start && count == other.count;
    }
};

// Runs the documented walk and records every block; stops after limit blocks
// so that a walk that never ends fails instead of hanging.
std::vector<Block> walk(std::vector<long> start, std::vector<long> end, std::vector<long> increment,
                        size_t limit = 10000) {
    int ndims = static_cast<int>(start.size());
    std::vector<long> current(ndims), count(ndims);
    std::vector<Block> blocks;
    nd_begin_looping(start.data(), current.data(), ndims);
    while (!nd_end_of_loop(current.data(), end.data(), ndims) && blocks.size() < limit) {
        nd_update_current_count(current.data(), increment.data(), end.data(), count.data(), ndims);
        blocks.push_back({current, count});
        nd_increment_loop(current.data(), start.data(), increment.data(), end.data(), ndims);
    }
    return blocks;
}

} // namespace

TEST(VornLoopCounter, WalksLikeAnOdometerCuttingTheLastBlocks) {
    std::vector<Block> blocks = walk({0, 0}, {2, 3}, {1, 2});
    std::vector<Block> expected = {
        {{0, 0}, {1, 2}}, {{0, 2}, {1, 1}}, {{1, 0}, {1, 2}}, {{1, 2}, {1, 1}}};
    EXPECT_EQ(blocks, expected);

    long current[2] = {1, 2};
    const long start[2] = {0, 0}, end[2] = {2, 3}, increment[2] = {1, 2};
    nd_increment_loop(current, start, increment, end, 2);
    EXPECT_EQ(current[0], 2);
    EXPECT_EQ(current[1], 0);
    EXPECT_TRUE(nd_end_of_loop(current, end, 2));
}

TEST(VornLoopCounter, BlocksCoverEveryElementOfTheRegionOnce) {
    const struct {
        std::vector<long> start, end, increment;
    } cases[] = {
        {{0}, {10}, {3}},
        {{2, 1}, {7, 9}, {2, 3}},
        {{0, 0, 0}, {4, 5, 6}, {4, 5, 6}},
        {{1, 2, 3}, {4, 6, 9}, {2, 3, 4}},
        {{0, 0, 0, 0, 0}, {2, 3, 2, 3, 2}, {1, 2, 1, 2, 5}},
        {{-3, 5}, {2, 8}, {10, 1}},
    };
    for (const auto &c : cases) {
        std::map<std::vector<long>, int> visits;
        for (const Block &block : walk(c.start, c.end, c.increment)) {
            // Enumerate the elements of the block.
            std::vector<long> index = block.start;
            size_t n = index.size();
            bool more = true;
            for (size_t d = 0; d < n; ++d)
                more = more && block.count[d] > 0;
            while (more) {
                ++visits[index];
                size_t d = n;
                while (d-- > 0) {
                    if (++index[d] < block.start[d] + block.count[d]) break;
                    index[d] = block.start[d];
                    if (d == 0) more = false;
                }
            }
        }
        size_t expected_elements = 1;
        for (size_t d = 0; d < c.start.size(); ++d)
            expected_elements *= static_cast<size_t>(c.end[d] - c.start[d]);
        EXPECT_EQ(visits.size(), expected_elements);
        for (const auto &entry : visits) {
            EXPECT_EQ(entry.second, 1);
            for (size_t d = 0; d < c.start.size(); ++d) {
                EXPECT_GE(entry.first[d], c.start[d]);
                EXPECT_LT(entry.first[d], c.end[d]);
            }
        }
    }
}

TEST(VornLoopCounter, EmptyRegionsAreWalkedZeroTimes) {
    EXPECT_TRUE(walk({3}, {3}, {1}).empty());
    EXPECT_TRUE(walk({0, 5}, {2, 3}, {1, 1}).empty());
    EXPECT_TRUE(walk({0, 0, 4}, {2, 3, 4}, {1, 1, 1}).empty());
    EXPECT_TRUE(walk({}, {}, {}).empty());
}

TEST(VornLoopCounter, IncrementsBelowOneStillAdvance) {
    std::vector<Block> blocks = walk({0, 0}, {2, 2}, {0, -4});
    std::vector<Block> expected = {
        {{0, 0}, {1, 1}}, {{0, 1}, {1, 1}}, {{1, 0}, {1, 1}}, {{1, 1}, {1, 1}}};
    EXPECT_EQ(blocks, expected);
}
