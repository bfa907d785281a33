// The converter: one graphics object file to an Inventor scene.

#include "ParseArgv.h"
#include "tarvex_convert.h"
#include "tarvex_usage.h"

namespace {

// Set by the parser to the argument after "-out_file"; null means stdout.
char *output_filename = nullptr;

const ArgvInfo argTable[] = {
    {"-out_file", OPT_STRING, (void *)1, &output_filename,
     "write output to file instead of stdout"},
    {nullptr, OPT_END, nullptr, nullptr, nullptr},
};

} // namespace

int main(int argc, char *argv[]) {
    if (ParseArgv(&argc, argv, argTable, 0) != 0 || argc < 2) {
        usage(argv[0]);
        return 1;
    }
    // Leftovers after the first are ignored.
    return convert_graphics_file_to_inventor(argv[1], output_filename);
}
