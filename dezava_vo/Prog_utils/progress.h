#ifndef DEZAVA_VO_PROGRESS_H
#define DEZAVA_VO_PROGRESS_H

// Progress reports for long passes, on standard output through print: silent
// for the first 5 seconds, then a line of dots after the title for tasks
// expected to take under 160 seconds, otherwise periodic percentage lines
// with an estimate of the total time.

#include "Prog_utils/basic.h"

struct progress_struct {
    BOOLEAN force_one_line;
    BOOLEAN first_msg_displayed;
    BOOLEAN one_line_flag;
    int n_steps;
    int n_dots_so_far;
    int total_n_dots;
    Real start_time;
    Real previous_time;
    Real update_rate;
    Real sum_xy;
    Real sum_xx;
    STRING title;
    Real last_check_time;
    int check_every;
    int next_check_step;
    int last_check_step;
};

// Starts a report of n_steps steps under a copy of title; one_line_only keeps
// it to the dotted line. A report of zero or fewer steps stays silent.
void initialize_progress_report(progress_struct *progress, BOOLEAN one_line_only, int n_steps,
                                const char *title);

// Reports that current_step (1 to n_steps) steps are done; cheap enough to
// call every step.
void update_progress_report(progress_struct *progress, int current_step);

// Ends the report (completing its line or printing the total time when
// anything was shown) and frees the title.
void terminate_progress_report(progress_struct *progress);

// For tests: replaces the clock the reports read, in seconds
// (current_realtime_seconds by default; null restores it).
typedef Real (*progress_clock_function)(void);
void set_progress_clock(progress_clock_function clock);

#endif
