#ifndef DEZAVA_VO_MESSAGES_H
#define DEZAVA_VO_MESSAGES_H

// Every line the libraries show a person goes through print (ordinary output)
// or print_error (diagnostics). Each has a stack of replaceable destinations.

#include "Prog_utils/basic.h"

typedef void (*print_function_type)(const char *message);

// Messages are formatted into a 10,000-character buffer; longer text is cut.
#define MAX_PRINT_LENGTH 10000
// Output-function stacks hold this many levels (0 to 99).
#define MAX_PRINT_STACK 100

void print(const char *format, ...) __attribute__((format(printf, 1, 2)));
void print_error(const char *format, ...) __attribute__((format(printf, 1, 2)));

void set_print_function(print_function_type function);
void set_print_error_function(print_function_type function);
void push_print_function(void);
void pop_print_function(void);
void push_print_error_function(void);
void pop_print_error_function(void);

void handle_internal_error(const char *str);
void abort_if_allowed(void);
void print_system_error(void);

#endif
