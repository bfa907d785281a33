#include "Prog_utils/time_funcs.h"

#include <cerrno>
#include <cmath>
#include <cstdio>
#include <ctime>
#include <sys/select.h>

#include "Prog_utils/messages.h"
#include "Prog_utils/string_funcs.h"

Real current_realtime_seconds(void) {
    static bool started = false;
    static time_t origin;
    time_t now = time(nullptr);
    if (!started) {
        started = true;
        origin = now;
    }
    return difftime(now, origin);
}

Real current_cpu_seconds(void) {
    // clock() counts in CLOCKS_PER_SEC units from the start of the process;
    // that start is the origin of every call.
    clock_t ticks = clock();
    if (ticks == (clock_t)-1) return 0.0;
    return (Real)ticks / (Real)CLOCKS_PER_SEC;
}

STRING format_time(const char *format, Real seconds) {
    static const char *const units[] = {"us", "ms", "sec", "min", "hrs", "days", "years"};
    static const Real scales[] = {1000.0, 1000.0, 60.0, 60.0, 24.0, 365.0};
    const int n_scales = (int)(sizeof(scales) / sizeof(scales[0]));

    bool negative = seconds < 0.0;
    Real value = std::fabs(seconds) * 1.0e6;

    // A value stays in a unit while it is at most two of the next one.
    int unit = 0;
    while (unit < n_scales && value > 2.0 * scales[unit]) {
        value /= scales[unit];
        ++unit;
    }
    // Rounded in floating point: an integer could not hold every duration.
    value = std::floor(value * 10.0 + 0.5) / 10.0;
    if (negative) value = -value;

    int length = snprintf(nullptr, 0, format, value, units[unit]);
    if (length < 0) return create_string("");
    STRING text = alloc_string(length);
    if (text != nullptr) snprintf(text, (size_t)length + 1, format, value, units[unit]);
    return text;
}

void print_time(const char *format, Real seconds) {
    STRING text = format_time(format, seconds);
    print("%s", text != nullptr ? text : "");
    delete_string(text);
}

STRING get_date(void) {
    static const char days[7][4] = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
    static const char months[12][4] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                       "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
    time_t now = time(nullptr);
    struct tm parts;
    if (localtime_r(&now, &parts) == nullptr || parts.tm_wday < 0 || parts.tm_wday > 6 ||
        parts.tm_mon < 0 || parts.tm_mon > 11)
        return create_string("");

    // The fixed 24-character form plus newline, in English whatever the
    // locale, written without the static buffer of the C library's version.
    char buffer[64];
    snprintf(buffer, sizeof(buffer), "%.3s %.3s%3d %.2d:%.2d:%.2d %ld\n", days[parts.tm_wday],
             months[parts.tm_mon], parts.tm_mday, parts.tm_hour, parts.tm_min, parts.tm_sec,
             1900L + parts.tm_year);
    return create_string(buffer);
}

STRING get_clock_time(void) {
    return get_date();
}

void sleep_program(Real seconds) {
    // Also rules out NaN.
    if (!(seconds > 0.0)) return;
    // Keeps the conversion to whole seconds in range (about 30 years).
    if (seconds > 1.0e9) seconds = 1.0e9;

    struct timeval timeout;
    timeout.tv_sec = (time_t)seconds;
    long microseconds = (long)std::floor((seconds - (Real)timeout.tv_sec) * 1.0e6 + 0.5);
    if (microseconds >= 1000000) {
        ++timeout.tv_sec;
        microseconds -= 1000000;
    }
    timeout.tv_usec = (suseconds_t)microseconds;

    // A signal cuts select short; the time-out then holds what is left.
    while (select(0, nullptr, nullptr, nullptr, &timeout) < 0 && errno == EINTR) {
    }
}
