#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <climits>
#include <cmath>
#include <cstdio>
#include <ctime>
#include <regex>
#include <string>
#include <vector>

#include "print_capture.h"

using tarvex_test::CapturePrint;

namespace {

double seconds_since(std::chrono::steady_clock::time_point start) {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

std::string formatted(const char *format, Real seconds) {
    STRING text = format_time(format, seconds);
    std::string result = text != nullptr ? text : "<null>";
    delete_string(text);
    return result;
}

TEST(FormatTime, ChoosesUnitAndRoundsToOneDecimal) {
    const struct {
        Real seconds;
        const char *expected;
    } cases[] = {
        {0.0, "0 us"},
        {0.0005, "500 us"},
        {1.0e-7, "0.1 us"},
        {1.5, "1500 ms"},
        {2.5, "2.5 sec"},
        {90.0, "90 sec"},
        {150.0, "2.5 min"},
        {7200.0, "120 min"},
        {259200.0, "3 days"},
        {-90.0, "-90 sec"},
        {-0.0005, "-500 us"},
        {1.0e12, "31709.8 years"},
        // Far beyond any integer count of tenths.
        {1.0e20, "3.17098e+12 years"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.seconds);
        EXPECT_EQ(formatted("%g %s", c.seconds), c.expected);
    }
    EXPECT_EQ(formatted("[%.2f|%s]", 2.5), "[2.50|sec]");
}

TEST(FormatTime, PrintTimeWritesThroughPrint) {
    CapturePrint capture;
    print_time("took %g %s\n", 90.0);
    EXPECT_EQ(capture.out(), "took 90 sec\n");
}

TEST(Dates, MatchTheLibraryFormOfTheSameSecond) {
    // Retried when the second changes between the readings.
    for (int attempt = 0; attempt < 5; ++attempt) {
        time_t before = time(nullptr);
        STRING date = get_date();
        STRING clock_text = get_clock_time();
        time_t after = time(nullptr);
        std::string date_text = date, clock_string = clock_text;
        delete_string(date);
        delete_string(clock_text);
        if (before != after) continue;
        struct tm parts;
        char expected[64];
        ASSERT_NE(localtime_r(&before, &parts), nullptr);
        ASSERT_NE(asctime_r(&parts, expected), nullptr);
        EXPECT_EQ(date_text, expected);
        EXPECT_EQ(clock_string, expected);
        EXPECT_EQ(date_text.size(), 25u);
        return;
    }
    FAIL() << "the clock kept changing second";
}

TEST(Clocks, RealtimeIsWholeSecondsAndFollowsSleep) {
    Real first = current_realtime_seconds();
    EXPECT_GE(first, 0.0);
    EXPECT_EQ(first, std::floor(first));
    sleep_program(1.05);
    Real second = current_realtime_seconds();
    EXPECT_GE(second - first, 1.0);
    EXPECT_EQ(second, std::floor(second));
}

TEST(Clocks, CpuSecondsGrowNoFasterThanWallTime) {
    auto start = std::chrono::steady_clock::now();
    Real cpu_start = current_cpu_seconds();
    EXPECT_GE(cpu_start, 0.0);
    volatile double sink = 0.0;
    Real cpu_now = cpu_start;
    // Busy until some processor time is seen (bounded by wall time).
    while (cpu_now - cpu_start < 0.05 && seconds_since(start) < 10.0) {
        for (int i = 0; i < 100000; ++i)
            sink = sink + std::sqrt((double)i);
        cpu_now = current_cpu_seconds();
    }
    double wall = seconds_since(start);
    EXPECT_GE(cpu_now - cpu_start, 0.05);
    // One thread cannot use more processor time than wall time has passed.
    EXPECT_LE(cpu_now - cpu_start, wall + 0.05);
}

TEST(Clocks, SleepWaitsAtLeastItsTimeAndIgnoresImpossibleDurations) {
    auto start = std::chrono::steady_clock::now();
    sleep_program(0.2);
    EXPECT_GE(seconds_since(start), 0.2);

    start = std::chrono::steady_clock::now();
    sleep_program(-3.0);
    sleep_program(std::nan(""));
    sleep_program(0.0);
    EXPECT_LT(seconds_since(start), 2.0);
}

// Progress reports read a fake clock that the tests move by hand.
Real fake_now = 0.0;
Real fake_clock() {
    return fake_now;
}

class ProgressTest : public ::testing::Test {
  protected:
    void SetUp() override {
        fake_now = 0.0;
        set_progress_clock(fake_clock);
    }
    void TearDown() override { set_progress_clock(nullptr); }

    // Runs steps first..last, seconds_per_step apart, in the report.
    void run_steps(progress_struct *progress, int first, int last, Real seconds_per_step) {
        for (int step = first; step <= last; ++step) {
            fake_now += seconds_per_step;
            update_progress_report(progress, step);
        }
    }

    CapturePrint capture;
};

TEST_F(ProgressTest, ShortTaskStaysSilentEvenAtTermination) {
    progress_struct progress;
    initialize_progress_report(&progress, FALSE, 100, "Quick");
    run_steps(&progress, 1, 100, 0.04);
    terminate_progress_report(&progress);
    EXPECT_EQ(capture.out(), "");
    EXPECT_EQ(progress.title, nullptr);
}

TEST_F(ProgressTest, TaskUnderEstimateLimitDrawsDottedLine) {
    progress_struct progress;
    initialize_progress_report(&progress, FALSE, 10, "Test");
    ASSERT_EQ(progress.total_n_dots, 73);
    for (int step = 1; step <= 10; ++step) {
        fake_now += 7.0;
        update_progress_report(&progress, step);
        int dots = (int)std::floor(step / 10.0 * 73 + 0.5);
        EXPECT_EQ(capture.out(), "Test: " + std::string(dots, '.')) << "step " << step;
    }
    terminate_progress_report(&progress);
    EXPECT_EQ(capture.out(), "Test: " + std::string(73, '.') + "\n");
}

TEST_F(ProgressTest, TerminationCompletesAnUnfinishedDottedLine) {
    progress_struct progress;
    initialize_progress_report(&progress, FALSE, 10, "Test");
    run_steps(&progress, 1, 3, 7.0);
    terminate_progress_report(&progress);
    EXPECT_EQ(capture.out(), "Test: " + std::string(73, '.') + "\n");
}

TEST_F(ProgressTest, LongTaskPrintsPercentageLinesAndDone) {
    progress_struct progress;
    initialize_progress_report(&progress, FALSE, 100, "Test");
    run_steps(&progress, 1, 14, 3.0);
    // First line at the first step 20 seconds after the start, the next
    // 20 seconds after that.
    EXPECT_EQ(capture.out(), "Test:   7% done. (7/100)   Time: 21 sec out of approx 5 min\n"
                             "Test:  14% done. (14/100)   Time: 42 sec out of approx 5 min\n");
    run_steps(&progress, 15, 100, 3.0);
    terminate_progress_report(&progress);
    const std::string &out = capture.out();
    const std::string done = "Test: DONE in 5 min\n";
    ASSERT_GE(out.size(), done.size());
    EXPECT_EQ(out.substr(out.size() - done.size()), done);
    // Steps 7, 14, ..., 98, then the DONE line.
    EXPECT_EQ(std::count(out.begin(), out.end(), '\n'), 15);
    EXPECT_EQ(out.find("Test: ."), std::string::npos);
}

TEST_F(ProgressTest, PercentageLinesSpaceOutToFivePercentOfElapsedTime) {
    progress_struct progress;
    initialize_progress_report(&progress, FALSE, 1000, "Long");
    run_steps(&progress, 1, 1000, 3.0);
    terminate_progress_report(&progress);

    std::vector<Real> times;
    std::regex line("Long: +[0-9]+% done\\. \\(([0-9]+)/1000\\)   Time: [^\\n]*\\n");
    const std::string out = capture.out();
    for (auto it = std::sregex_iterator(out.begin(), out.end(), line); it != std::sregex_iterator();
         ++it)
        times.push_back(3.0 * std::stoi((*it)[1]));
    ASSERT_GT(times.size(), 5u);
    EXPECT_EQ(times[0], 21.0);
    for (size_t i = 1; i < times.size(); ++i) {
        Real gap = std::max(20.0, 0.05 * times[i - 1]);
        EXPECT_GE(times[i] - times[i - 1], gap) << "line " << i;
        EXPECT_LT(times[i] - 3.0 - times[i - 1], gap) << "line " << i << " came late";
    }
    EXPECT_NE(out.find("Long: DONE in 50 min\n"), std::string::npos) << out;
}

TEST_F(ProgressTest, SlowingTaskEndsItsDottedLineAndSwitchesToPercentages) {
    progress_struct progress;
    initialize_progress_report(&progress, FALSE, 100, "Test");
    run_steps(&progress, 1, 6, 1.0);
    EXPECT_EQ(capture.out(), "Test: ....");
    run_steps(&progress, 7, 100, 10.0);
    terminate_progress_report(&progress);
    const std::string &out = capture.out();
    EXPECT_EQ(out.rfind("Test: ....\nTest: ", 0), 0u) << out;
    EXPECT_NE(out.find("% done. ("), std::string::npos);
    // No more dots once percentage lines have begun.
    EXPECT_EQ(out.find('.', 10), out.find("% done.") + 6);
    EXPECT_EQ(out.substr(out.rfind("Test: ")), "Test: DONE in 15.8 min\n");
}

TEST_F(ProgressTest, OneLineOnlyNeverPrintsPercentages) {
    progress_struct progress;
    initialize_progress_report(&progress, TRUE, 100, "Test");
    run_steps(&progress, 1, 100, 3.0);
    terminate_progress_report(&progress);
    EXPECT_EQ(capture.out(), "Test: " + std::string(73, '.') + "\n");
}

TEST_F(ProgressTest, DotCountFollowsTitleLength) {
    const struct {
        int title_length;
        int dots;
    } cases[] = {{0, 77}, {4, 73}, {76, 1}, {77, 2}, {80, 2}};
    for (const auto &c : cases) {
        progress_struct progress;
        initialize_progress_report(&progress, FALSE, 10, std::string(c.title_length, 't').c_str());
        EXPECT_EQ(progress.total_n_dots, c.dots) << "title length " << c.title_length;
        terminate_progress_report(&progress);
    }
}

TEST_F(ProgressTest, ReportOverNoStepsDoesNothing) {
    for (int n_steps : {0, -5}) {
        progress_struct progress;
        initialize_progress_report(&progress, FALSE, n_steps, "Empty");
        fake_now += 100.0;
        update_progress_report(&progress, 1);
        update_progress_report(&progress, 5);
        terminate_progress_report(&progress);
        EXPECT_EQ(capture.out(), "") << n_steps << " steps";
    }
}

TEST_F(ProgressTest, HugeStepCountsKeepTheirArithmeticInRange) {
    progress_struct progress;
    initialize_progress_report(&progress, FALSE, INT_MAX, "Big");
    fake_now = 1000.0;
    update_progress_report(&progress, INT_MAX / 2);
    EXPECT_EQ(capture.out(),
              "Big:  50% done. (1073741823/2147483647)   Time: 16.7 min out of approx 33.3 min\n");
    terminate_progress_report(&progress);
}

TEST_F(ProgressTest, FastStepsWidenTheCheckIntervalWithoutOverflow) {
    progress_struct progress;
    initialize_progress_report(&progress, FALSE, INT_MAX, "Fast");
    int previous_next = 0;
    // The clock stands still: every check looks fast, so the interval doubles.
    for (int i = 0; i < 100; ++i) {
        update_progress_report(&progress, progress.next_check_step);
        EXPECT_GT(progress.check_every, 0);
        EXPECT_GE(progress.next_check_step, previous_next);
        previous_next = progress.next_check_step;
    }
    EXPECT_EQ(progress.next_check_step, INT_MAX);
    EXPECT_EQ(progress.last_check_step, INT_MAX);
    terminate_progress_report(&progress);
    EXPECT_EQ(capture.out(), "");
}

} // namespace
