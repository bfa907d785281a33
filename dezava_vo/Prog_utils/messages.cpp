#include "Prog_utils/messages.h"

#include <cerrno>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

struct print_stack {
    print_function_type functions[MAX_PRINT_STACK];
    int top;
};

print_stack ordinary_stack = {};
print_stack error_stack = {};

// Formats into a bounded buffer (text beyond 9,999 characters is cut) and
// sends it to the stack's current function or the default stream. errno is
// kept so that print_system_error right after still reports the caller's error.
void emit(print_stack &stack, FILE *default_stream, const char *format, va_list args) {
    int saved_errno = errno;
    char buffer[MAX_PRINT_LENGTH];
    vsnprintf(buffer, sizeof(buffer), format, args);
    print_function_type function = stack.functions[stack.top];
    if (function != nullptr)
        function(buffer);
    else
        (void)fputs(buffer, default_stream);
    errno = saved_errno;
}

void push(print_stack &stack, const char *overflow_text) {
    if (stack.top > MAX_PRINT_STACK - 2) {
        handle_internal_error(overflow_text);
        return;
    }
    ++stack.top;
    stack.functions[stack.top] = nullptr;
}

void pop(print_stack &stack, const char *underflow_text) {
    if (stack.top <= 0) {
        handle_internal_error(underflow_text);
        return;
    }
    --stack.top;
}

// Reads one character; the end of input counts as the answer 'n'.
int read_answer_char(void) {
    int ch = getchar();
    return ch == EOF ? 'n' : ch;
}

} // namespace

void print(const char *format, ...) {
    va_list args;
    va_start(args, format);
    emit(ordinary_stack, stdout, format, args);
    va_end(args);
}

void print_error(const char *format, ...) {
    va_list args;
    va_start(args, format);
    emit(error_stack, stderr, format, args);
    va_end(args);
}

void set_print_function(print_function_type function) {
    ordinary_stack.functions[ordinary_stack.top] = function;
}

void set_print_error_function(print_function_type function) {
    error_stack.functions[error_stack.top] = function;
}

void push_print_function(void) { push(ordinary_stack, "Stack overflow in push_print_function"); }

void pop_print_function(void) { pop(ordinary_stack, "Stack underflow in pop_print_function"); }

void push_print_error_function(void) {
    push(error_stack, "Stack overflow in push_print_error_function");
}

void pop_print_error_function(void) {
    pop(error_stack, "Stack underflow in pop_print_error_function");
}

void handle_internal_error(const char *str) {
    print_error("Internal error:  %s\n", str);
    abort_if_allowed();
}

void abort_if_allowed(void) {
    if (getenv("ABORT_FLAG") == nullptr)
        return;

    print_error("Do you wish to abort (y/n): ");
    int answer;
    do {
        answer = read_answer_char();
    } while (answer != 'y' && answer != 'n');

    // Discard the rest of the line; stop at the end of input too.
    int ch;
    do {
        ch = getchar();
    } while (ch != '\n' && ch != EOF);

    if (answer == 'y')
        abort();
}

void print_system_error(void) { print_error("\nSystem message: %s\n", strerror(errno)); }
