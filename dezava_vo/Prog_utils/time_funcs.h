#ifndef DEZAVA_VO_TIME_FUNCS_H
#define DEZAVA_VO_TIME_FUNCS_H

// Elapsed and processor time, readable durations, the date and a sleep.

#include "Prog_utils/basic.h"

// Whole seconds of wall-clock time since the first call (which returns 0.0).
Real current_realtime_seconds(void);

// Processor time used by the process since it started, in seconds.
Real current_cpu_seconds(void);

// A new string: seconds shown in a readable unit ("us" up to "years"),
// rounded to one decimal, formatted by format with the number first and the
// unit name second (callers use "%g %s").
STRING format_time(const char *format, Real seconds);

// Writes format_time(format, seconds) through print.
void print_time(const char *format, Real seconds);

// A new string: the local date and time as "Tue Mar  4 10:05:07 2008\n".
STRING get_date(void);
STRING get_clock_time(void);

// Waits the given number of seconds (microsecond resolution).
void sleep_program(Real seconds);

#endif
