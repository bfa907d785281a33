#include "Prog_utils/progress.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>

#include "Prog_utils/messages.h"
#include "Prog_utils/string_funcs.h"
#include "Prog_utils/time_funcs.h"

namespace {

// Nothing is shown before this many seconds, so quick tasks stay silent.
const Real SILENT_SECONDS = 5.0;
// Tasks expected to finish within this many seconds get the dotted line.
const Real ONE_LINE_SECONDS = 160.0;
// Least number of seconds between percentage lines.
const Real MIN_UPDATE_RATE = 20.0;
// Title, ": " and the dots fill 79 columns.
const int LINE_COLUMNS = 77;
// Checking adapts so the clock is read a bounded number of times a second.
const Real FAST_CHECK_SECONDS = 0.01;
const Real SLOW_CHECK_SECONDS = 0.5;

progress_clock_function progress_clock = current_realtime_seconds;

const char *title_of(const progress_struct *progress) {
    return progress->title != nullptr ? progress->title : "";
}

// Adds the dots due at current_step to the line, starting it with the title.
void show_one_line_progress(progress_struct *progress, int current_step) {
    int dots = (int)std::floor(
        (Real)current_step / (Real)progress->n_steps * (Real)progress->total_n_dots + 0.5);
    if (dots > progress->total_n_dots) handle_internal_error("show_one_line_progress");
    if (dots <= progress->n_dots_so_far) return;
    if (progress->n_dots_so_far == 0) print("%s: ", title_of(progress));
    for (int i = progress->n_dots_so_far; i < dots; ++i)
        print(".");
    fflush(stdout);
    progress->n_dots_so_far = dots;
}

void print_percentage_line(progress_struct *progress, int current_step, Real time_so_far,
                           Real estimated_total) {
    int percent = (int)std::floor((Real)current_step * 100.0 / (Real)progress->n_steps + 0.5);
    STRING so_far = format_time("%g %s", time_so_far);
    STRING total = format_time("%g %s", estimated_total);
    print("%s: %3d%% done. (%d/%d)   Time: %s out of approx %s\n", title_of(progress), percent,
          current_step, progress->n_steps, so_far != nullptr ? so_far : "",
          total != nullptr ? total : "");
    fflush(stdout);
    delete_string(so_far);
    delete_string(total);
}

} // namespace

void set_progress_clock(progress_clock_function clock) {
    progress_clock = clock != nullptr ? clock : current_realtime_seconds;
}

void initialize_progress_report(progress_struct *progress, BOOLEAN one_line_only, int n_steps,
                                const char *title) {
    progress->force_one_line = one_line_only;
    progress->first_msg_displayed = FALSE;
    progress->one_line_flag = TRUE;
    progress->n_steps = n_steps;
    progress->title = create_string(title);

    Real now = progress_clock();
    progress->start_time = now;
    progress->previous_time = now;
    progress->last_check_time = now;

    progress->last_check_step = 0;
    progress->next_check_step = 1;
    progress->check_every = 1;
    progress->update_rate = MIN_UPDATE_RATE;
    progress->sum_xy = 0.0;
    progress->sum_xx = 0.0;
    progress->n_dots_so_far = 0;

    int n_dots = LINE_COLUMNS - string_length(title);
    progress->total_n_dots = n_dots > 0 ? n_dots : 2;
}

void update_progress_report(progress_struct *progress, int current_step) {
    // A report over no steps has nothing to show (and nothing to divide by).
    if (progress->n_steps <= 0 || current_step <= 0 || current_step < progress->next_check_step)
        return;
    if (current_step > progress->n_steps) current_step = progress->n_steps;
    // Once the last step was taken no new step can arrive.
    if (current_step <= progress->last_check_step) return;

    Real current_time = progress_clock();
    Real seconds_per_check = (Real)progress->check_every *
                             (current_time - progress->last_check_time) /
                             (Real)(current_step - progress->last_check_step);
    if (seconds_per_check < FAST_CHECK_SECONDS) {
        // Checking more rarely than once per n_steps is pointless.
        progress->check_every =
            (int)std::min<int64_t>(2 * (int64_t)progress->check_every, progress->n_steps);
    } else if (seconds_per_check > SLOW_CHECK_SECONDS && progress->check_every > 1) {
        progress->check_every /= 2;
    }

    progress->last_check_time = current_time;
    progress->last_check_step = current_step;
    progress->next_check_step =
        (int)std::min<int64_t>((int64_t)current_step + progress->check_every, progress->n_steps);

    Real time_so_far = current_time - progress->start_time;
    Real step = (Real)current_step;
    progress->sum_xy = 0.5 * progress->sum_xy + time_so_far * step;
    progress->sum_xx = 0.5 * progress->sum_xx + step * step;

    if (time_so_far <= SILENT_SECONDS) return;

    Real estimated_total = progress->sum_xy / progress->sum_xx * (Real)progress->n_steps;
    if (time_so_far >= estimated_total)
        estimated_total = (Real)progress->n_steps * time_so_far / step;

    if (progress->force_one_line ||
        (progress->one_line_flag && estimated_total < ONE_LINE_SECONDS)) {
        show_one_line_progress(progress, current_step);
        progress->first_msg_displayed = TRUE;
        return;
    }

    // From here on the report uses percentage lines for good.
    if (progress->first_msg_displayed && progress->one_line_flag) print("\n");
    progress->one_line_flag = FALSE;

    if (current_time - progress->previous_time < progress->update_rate) return;

    print_percentage_line(progress, current_step, time_so_far, estimated_total);
    progress->first_msg_displayed = TRUE;
    progress->previous_time = current_time;
    progress->update_rate = std::max(MIN_UPDATE_RATE, 0.05 * (current_time - progress->start_time));
}

void terminate_progress_report(progress_struct *progress) {
    if (progress->first_msg_displayed) {
        if (progress->one_line_flag) {
            show_one_line_progress(progress, progress->n_steps);
            print("\n");
        } else {
            STRING elapsed = format_time("%g %s", progress_clock() - progress->start_time);
            print("%s: DONE in %s\n", title_of(progress), elapsed != nullptr ? elapsed : "");
            delete_string(elapsed);
        }
        fflush(stdout);
    }
    delete_string(progress->title);
    progress->title = nullptr;
}
