// The allocation checker: every live block in a skip list ordered by address,
// so lookups stay logarithmic in the number of blocks. Its own nodes come
// straight from the system allocator and are never recorded themselves.

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <ctime>

#include "Prog_utils/alloc.h"
#include "Prog_utils/messages.h"

namespace {

constexpr int MAX_SKIP_LEVELS = 50;
constexpr size_t MEMORY_REPORT_STEP = 1000000;

struct skip_entry {
    void *ptr;
    size_t n_bytes;
    const char *source_file;
    int line_number;
    int sequence_number;
    int n_levels;
    skip_entry *forward[1]; // n_levels links follow
};

struct alloc_struct {
    size_t next_memory_threshold;
    size_t total_memory_allocated;
    skip_entry *header;
    int level;
};

struct update_struct {
    skip_entry *update[MAX_SKIP_LEVELS];
};

alloc_struct alloc_list = {};
size_t skip_alloc_size = 0;
BOOLEAN checking_enabled = FALSE;
BOOLEAN enabled_initialized = FALSE;
int current_sequence_number = 0;
int stop_sequence_number = -1;
uint64_t coin_state = 0x9E3779B97F4A7C15ull;

uintptr_t address(const void *ptr) { return reinterpret_cast<uintptr_t>(ptr); }

size_t node_size(int n_levels) {
    return sizeof(skip_entry) + (size_t)(n_levels - 1) * sizeof(skip_entry *);
}

skip_entry *new_node(int n_levels) {
    size_t size = node_size(n_levels);
    skip_entry *node = static_cast<skip_entry *>(calloc(1, size));
    node->n_levels = n_levels;
    skip_alloc_size += size;
    return node;
}

void initialize_list(void) {
    if (alloc_list.header != nullptr)
        return;
    alloc_list.next_memory_threshold = MEMORY_REPORT_STEP;
    alloc_list.total_memory_allocated = 0;
    alloc_list.header = new_node(MAX_SKIP_LEVELS);
    alloc_list.level = 1;
}

// A private coin, so the checker never disturbs the program's rand() sequence.
bool coin_flip(void) {
    coin_state ^= coin_state << 13;
    coin_state ^= coin_state >> 7;
    coin_state ^= coin_state << 17;
    return (coin_state >> 32) & 1u;
}

int random_level(void) {
    int n_levels = 1;
    while (n_levels < MAX_SKIP_LEVELS && coin_flip())
        ++n_levels;
    return n_levels;
}

// Fills the search path for ptr and returns the entry holding ptr, or null.
skip_entry *find_pointer_position(const void *ptr, update_struct *path) {
    skip_entry *node = alloc_list.header;
    for (int level = alloc_list.level - 1; level >= 0; --level) {
        while (node->forward[level] != nullptr && address(node->forward[level]->ptr) < address(ptr))
            node = node->forward[level];
        path->update[level] = node;
    }
    skip_entry *next = node->forward[0];
    return (next != nullptr && next->ptr == ptr) ? next : nullptr;
}

void print_source_location(const char *source_file, int line_number, int sequence_number) {
    print_error("%s:%d\t%d'th alloc", source_file, line_number, sequence_number);
}

// The caller's position, a finding, then the abort hook.
void report_finding(const char *source_file, int line_number, const char *text) {
    print_source_location(source_file, line_number, -1);
    print_error("%s", text);
    abort_if_allowed();
}

// The entry that a new block [ptr, ptr + n_bytes) would overlap, or null.
skip_entry *overlapping_entry(const void *ptr, size_t n_bytes, const update_struct &path) {
    skip_entry *before = path.update[0];
    if (before == alloc_list.header)
        return nullptr;
    if (address(before->ptr) + before->n_bytes > address(ptr))
        return before;
    skip_entry *after = before->forward[0];
    if (after != nullptr && address(ptr) + n_bytes > address(after->ptr))
        return after;
    return nullptr;
}

void report_overlap(const char *source_file, int line_number, const char *text,
                    const skip_entry *other) {
    print_source_location(source_file, line_number, -1);
    print_error("%s", text);
    print_source_location(other->source_file, other->line_number, other->sequence_number);
    print_error("\n");
    abort_if_allowed();
}

// Prints the memory line each time the total passes a new million, when
// "ALLOC_SIZE" is set (looked up once per run).
void check_memory_report(void) {
    static int report_wanted = -1;
    if (report_wanted < 0)
        report_wanted = getenv("ALLOC_SIZE") != nullptr;
    if (!report_wanted || alloc_list.total_memory_allocated <= alloc_list.next_memory_threshold)
        return;
    alloc_list.next_memory_threshold =
        alloc_list.total_memory_allocated / MEMORY_REPORT_STEP * MEMORY_REPORT_STEP +
        MEMORY_REPORT_STEP;
    print("Memory allocated =%5.1f Megabytes  (Overhead = %5.1f Mb)\n",
          (double)alloc_list.total_memory_allocated / 1e6, (double)skip_alloc_size / 1e6);
}

int next_sequence_number(void) {
    ++current_sequence_number;
    if (current_sequence_number == 1) {
        const char *stop_text = getenv("STOP_ALLOC_AT");
        if (stop_text == nullptr || sscanf(stop_text, "%d", &stop_sequence_number) != 1)
            stop_sequence_number = -1;
    }
    if (current_sequence_number == stop_sequence_number)
        handle_internal_error("get_current_sequence_number");
    return current_sequence_number;
}

void insert_entry(update_struct *path, void *ptr, size_t n_bytes, const char *source_file,
                  int line_number, int sequence_number) {
    int n_levels = random_level();
    if (n_levels > alloc_list.level) {
        for (int level = alloc_list.level; level < n_levels; ++level)
            path->update[level] = alloc_list.header;
        alloc_list.level = n_levels;
    }
    skip_entry *entry = new_node(n_levels);
    entry->ptr = ptr;
    entry->n_bytes = n_bytes;
    entry->source_file = source_file;
    entry->line_number = line_number;
    entry->sequence_number = sequence_number;
    for (int level = 0; level < n_levels; ++level) {
        entry->forward[level] = path->update[level]->forward[level];
        path->update[level]->forward[level] = entry;
    }
    alloc_list.total_memory_allocated += n_bytes;
    check_memory_report();
}

void remove_entry(update_struct *path, skip_entry *entry) {
    for (int level = 0; level < alloc_list.level; ++level) {
        if (path->update[level]->forward[level] != entry)
            break;
        path->update[level]->forward[level] = entry->forward[level];
    }
    alloc_list.total_memory_allocated -= entry->n_bytes;
    skip_alloc_size -= node_size(entry->n_levels);
    free(entry);
    while (alloc_list.level > 1 && alloc_list.header->forward[alloc_list.level - 1] == nullptr)
        --alloc_list.level;
    check_memory_report();
}

} // namespace

void set_alloc_checking(BOOLEAN state) {
    checking_enabled = state;
    enabled_initialized = TRUE;
}

BOOLEAN alloc_checking_enabled(void) {
    if (!enabled_initialized) {
        checking_enabled = getenv("DEBUG_ALLOC") != nullptr;
        enabled_initialized = TRUE;
    }
    return checking_enabled;
}

void record_ptr_alloc_check(void *ptr, size_t n_bytes, const char *source_file, int line_number) {
    if (!alloc_checking_enabled())
        return;
    initialize_list();

    if (n_bytes == 0) {
        report_finding(source_file, line_number, ": Alloc called with zero size.\n");
        return;
    }
    if (ptr == nullptr) {
        report_finding(source_file, line_number, ": Alloc returned a NIL pointer.\n");
        return;
    }

    update_struct path;
    (void)find_pointer_position(ptr, &path);
    if (const skip_entry *other = overlapping_entry(ptr, n_bytes, path)) {
        report_overlap(source_file, line_number,
                       ": Alloc returned a pointer overlapping an existing block:\n", other);
        return;
    }
    int sequence_number = next_sequence_number();
    insert_entry(&path, ptr, n_bytes, source_file, line_number, sequence_number);
}

void change_ptr_alloc_check(void *old_ptr, void *new_ptr, size_t n_bytes, const char *source_file,
                            int line_number) {
    if (!alloc_checking_enabled())
        return;
    initialize_list();

    if (n_bytes == 0)
        report_finding(source_file, line_number, ": Realloc called with zero size.\n");

    // A resized block keeps the identity of its first allocation.
    const char *first_file = source_file;
    int first_line = line_number;
    int first_sequence;
    update_struct path;
    skip_entry *entry = find_pointer_position(old_ptr, &path);
    if (entry != nullptr) {
        first_file = entry->source_file;
        first_line = entry->line_number;
        first_sequence = entry->sequence_number;
        remove_entry(&path, entry);
    } else {
        report_finding(source_file, line_number,
                       ": Tried to realloc a pointer not already alloced.\n");
        first_sequence = next_sequence_number();
    }

    (void)find_pointer_position(new_ptr, &path);
    if (const skip_entry *other = overlapping_entry(new_ptr, n_bytes, path)) {
        report_overlap(source_file, line_number,
                       ": Realloc returned a pointer overlapping an existing block:\n", other);
        return;
    }
    insert_entry(&path, new_ptr, n_bytes, first_file, first_line, first_sequence);
}

BOOLEAN unrecord_ptr_alloc_check(void *ptr, const char *source_file, int line_number) {
    if (!alloc_checking_enabled())
        return TRUE;
    initialize_list();

    if (ptr == nullptr) {
        report_finding(source_file, line_number, ": Tried to free a NIL pointer.\n");
        return FALSE;
    }
    update_struct path;
    skip_entry *entry = find_pointer_position(ptr, &path);
    if (entry == nullptr) {
        report_finding(source_file, line_number, ": Tried to free a pointer not alloced.\n");
        return FALSE;
    }
    remove_entry(&path, entry);
    return TRUE;
}

BOOLEAN alloc_check_is_recorded(void *ptr) {
    if (!alloc_checking_enabled())
        return TRUE;
    initialize_list();
    update_struct path;
    return ptr != nullptr && find_pointer_position(ptr, &path) != nullptr;
}

size_t get_total_memory_alloced(void) { return alloc_list.total_memory_allocated; }

void print_alloc_source_line(const char *filename, int line_number) {
    print_error("    Source position: %s:%d\n", filename, line_number);
}

void output_alloc_to_file(const char *filename) {
    if (!alloc_checking_enabled() || alloc_list.header == nullptr ||
        alloc_list.header->forward[0] == nullptr)
        return;

    print_error("\n");
    print_error("\n");
    print_error("A memory leak was found in this program.\n");
    if (filename != nullptr)
        print_error("A description has been recorded in the file %s.\n", filename);
    print_error("Please report this file to the author of the program.\n");
    print_error("\n");

    bool to_stdout = filename == nullptr || filename[0] == '\0';
    FILE *file = to_stdout ? stdout : fopen(filename, "w");
    if (file == nullptr)
        return;

    // The date is formatted here on the stack so the report lists no block of its own.
    time_t now = time(nullptr);
    struct tm local;
    char date[64];
    localtime_r(&now, &local);
    asctime_r(&local, date);
    fprintf(file, "Alloc table at %s\n", date);

    for (skip_entry *entry = alloc_list.header->forward[0]; entry != nullptr;
         entry = entry->forward[0])
        fprintf(file, "%s:%d\t%d'th alloc\n", entry->source_file, entry->line_number,
                entry->sequence_number);

    if (to_stdout)
        fflush(file);
    else
        fclose(file);
}
