#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include <ParseArgv.h>

namespace {

// An argument vector the parser may rewrite, owning its texts.
class Args {
  public:
    Args(std::initializer_list<std::string> words) : Args(std::vector<std::string>(words)) {}
    explicit Args(std::vector<std::string> words) : words_(std::move(words)) {
        for (std::string &word : words_)
            pointers_.push_back(&word[0]);
        pointers_.push_back(nullptr);
        argc = (int)words_.size();
    }
    Args(const Args &) = delete;
    Args &operator=(const Args &) = delete;

    char **argv() { return pointers_.data(); }
    // The first argc elements as the parser left them.
    std::vector<std::string> front() const {
        std::vector<std::string> result;
        for (int i = 0; i < argc; ++i)
            result.push_back(pointers_[i] != nullptr ? pointers_[i] : "<null>");
        return result;
    }
    bool terminated() const { return pointers_[argc] == nullptr; }
    // The element the caller passed as words[i] (its storage never moves).
    const char *word(size_t i) const { return words_[i].c_str(); }

    int argc;

  private:
    std::vector<std::string> words_;
    std::vector<char *> pointers_;
};

// Runs the parser with standard error captured.
int parse(Args &args, const ArgvInfo *table, int flags, std::string *err) {
    testing::internal::CaptureStderr();
    int status = ParseArgv(&args.argc, args.argv(), table, flags);
    *err = testing::internal::GetCapturedStderr();
    return status;
}

// Records each call and uses the next argument when it begins with "=".
int take_equals_value(void *dst, const char *key, char *next) {
    auto *calls = static_cast<std::vector<std::string> *>(dst);
    calls->push_back(std::string(key) + " " + (next != nullptr ? next : "<null>"));
    return next != nullptr && next[0] == '=';
}

// Takes the next two arguments (failing without two) and moves the rest down.
int take_pair(void *dst, const char *, int argc, char **argv) {
    auto *pairs = static_cast<std::vector<std::string> *>(dst);
    if (argc < 2) return -1;
    pairs->push_back(std::string(argv[0]) + "+" + argv[1]);
    for (int i = 2; i < argc; ++i)
        argv[i - 2] = argv[i];
    return argc - 2;
}

// Claims more arguments than it was given.
int claim_too_many(void *, const char *, int argc, char **) {
    return argc + 5;
}

class ParseArgvTest : public ::testing::Test {
  protected:
    int constant = 0;
    int one_int = -1;
    int three_ints[3] = {0, 0, 0};
    char *one_string = nullptr;
    char *three_strings[3] = {nullptr, nullptr, nullptr};
    double two_doubles[2] = {0.5, 0.25};
    int rest_index = -1;
    std::vector<std::string> handler_calls;
    std::vector<std::string> pairs;

    const ArgvInfo table[13] = {
        {"-const", OPT_CONSTANT, (void *)7, &constant, "store seven"},
        {"-int", OPT_INT, nullptr, &one_int, "one integer"},
        {"-ints", OPT_INT, (void *)3, three_ints, "three integers"},
        {"-string", OPT_STRING, (void *)1, &one_string, "one text"},
        {"-strings", OPT_STRING, (void *)3, three_strings, "three texts"},
        {"-floats", OPT_FLOAT, (void *)2, two_doubles, "two reals"},
        {nullptr, OPT_HELP, nullptr, nullptr, "Handlers:"},
        {"-handler", OPT_HANDLER, (void *)take_equals_value, &handler_calls, "calls back"},
        {"-pair", OPT_HANDLER_REST, (void *)take_pair, &pairs, "takes two"},
        {"-greedy", OPT_HANDLER_REST, (void *)claim_too_many, nullptr, "claims too many"},
        {"-rest", OPT_REST, nullptr, &rest_index, "the rest are files"},
        {"-bad", 18, nullptr, nullptr, "no behaviour"},
        {nullptr, OPT_END, nullptr, nullptr, nullptr},
    };
};

// Failures that print one message; the parser stops at the first.
struct MessageCase {
    const char *name;
    std::vector<std::string> words;
    int flags;
    const char *message;
};

TEST_F(ParseArgvTest, FailuresPrintTheirMessageAndLeaveCountUnchanged) {
    const MessageCase cases[] = {
        {"two candidates", {"prog", "-s", "x"}, 0, "ambiguous option \"-s\"\n"},
        {"abbreviation of a key and a longer key",
         {"prog", "-in", "1"},
         0,
         "ambiguous option \"-in\"\n"},
        {"no value", {"prog", "-int"}, 0, "\"-int\" option requires an additional argument\n"},
        {"value count short, option as typed",
         {"prog", "-fl", "1.5"},
         0,
         "\"-fl\" option requires an additional argument\n"},
        {"trailing characters",
         {"prog", "-int", "12abc"},
         0,
         "expected integer argument for \"-int\" but got \"12abc\""},
        {"empty integer",
         {"prog", "-int", ""},
         0,
         "expected integer argument for \"-int\" but got \"\""},
        {"integer beyond int",
         {"prog", "-int", "99999999999"},
         0,
         "expected integer argument for \"-int\" but got \"99999999999\""},
        {"abbreviation reports the full key",
         {"prog", "-fl", "1", "x2"},
         0,
         "expected floating-point argument for \"-floats\" but got\"x2\"\n"},
        {"type without behaviour", {"prog", "-bad"}, 0, "bad argument type 18 in ArgvInfo"},
        {"rest handler failure is silent", {"prog", "-pair", "a"}, 0, ""},
        {"rest handler claiming extra arguments", {"prog", "-greedy", "a"}, 0, ""},
        {"quiet", {"prog", "-s"}, PARSE_QUIET, ""},
        {"quiet summary", {"prog", "-help"}, PARSE_QUIET, ""},
    };
    for (const MessageCase &c : cases) {
        SCOPED_TRACE(c.name);
        Args args(c.words);
        const int original_argc = args.argc;
        std::string err;
        EXPECT_EQ(parse(args, table, c.flags, &err), 1);
        EXPECT_EQ(err, c.message);
        EXPECT_EQ(args.argc, original_argc);
    }
}

// Arguments that match nothing stay, in order, at the front of the vector.
struct LeftoverCase {
    const char *name;
    std::vector<std::string> words;
    int flags;
    std::vector<std::string> leftovers;
    const char *message;
};

TEST_F(ParseArgvTest, UnmatchedArgumentsAreCompactedInOrder) {
    const LeftoverCase cases[] = {
        {"key with more characters", {"prog", "-stringsX", "a"}, 0, {"prog", "-stringsX", "a"}, ""},
        {"lone dash", {"prog", "-", "-const"}, 0, {"prog", "-"}, ""},
        {"empty argument", {"prog", "", "b"}, 0, {"prog", "", "b"}, ""},
        {"reported",
         {"prog", "-zzz", "-const", "f"},
         PARSE_REPORT_UNMATCHED,
         {"prog", "-zzz", "f"},
         "unrecognized argument \"-zzz\"\nunrecognized argument \"f\"\n"},
        {"program name is never examined", {"-const", "a"}, 0, {"-const", "a"}, ""},
        {"first element examined", {"-const", "a"}, PARSE_KEEP_FIRST, {"a"}, ""},
        {"exact keys only", {"prog", "-con", "-const"}, PARSE_EXACT_KEYS, {"prog", "-con"}, ""},
        {"nothing but the name", {"prog"}, 0, {"prog"}, ""},
    };
    for (const LeftoverCase &c : cases) {
        SCOPED_TRACE(c.name);
        Args args(c.words);
        std::string err;
        EXPECT_EQ(parse(args, table, c.flags, &err), 0);
        EXPECT_EQ(args.front(), c.leftovers);
        EXPECT_TRUE(args.terminated());
        EXPECT_EQ(err, c.message);
    }
}

TEST_F(ParseArgvTest, ExactKeysRejectAbbreviationsThatOtherwiseMatch) {
    Args args{"prog", "-con", "-const"};
    std::string err;
    ASSERT_EQ(parse(args, table, PARSE_EXACT_KEYS, &err), 0);
    EXPECT_EQ(constant, 7);
    constant = 0;
    // The vector is now "prog", "-con"; parsed again with abbreviations on.
    ASSERT_EQ(parse(args, table, PARSE_KEEP_FIRST, &err), 0);
    EXPECT_EQ(args.front(), std::vector<std::string>{"prog"});
    EXPECT_EQ(constant, 7);
}

TEST_F(ParseArgvTest, IntegersTakeBaseFromTheirPrefixAndMayBeNegative) {
    Args args{"prog", "-ints", "0x1A", "010", "-3", "-int", "-5"};
    std::string err;
    ASSERT_EQ(parse(args, table, 0, &err), 0);
    EXPECT_EQ(three_ints[0], 26);
    EXPECT_EQ(three_ints[1], 8);
    EXPECT_EQ(three_ints[2], -3);
    EXPECT_EQ(one_int, -5);
    EXPECT_EQ(args.argc, 1);
}

TEST_F(ParseArgvTest, FloatsAndStringsTakeTheirCount) {
    Args args{"prog", "-floats", "1e3", "-2.5", "-string", "-const", "-strings", "a", "b", "c"};
    std::string err;
    ASSERT_EQ(parse(args, table, 0, &err), 0);
    EXPECT_EQ(two_doubles[0], 1000.0);
    EXPECT_EQ(two_doubles[1], -2.5);
    // Pointers into the vector are stored, not copies; "-const" was a value.
    EXPECT_EQ(one_string, args.word(5));
    EXPECT_EQ(constant, 0);
    EXPECT_EQ(three_strings[0], args.word(7));
    EXPECT_EQ(three_strings[2], args.word(9));
}

TEST_F(ParseArgvTest, ShortStringListKeepsWhatItTookAndFails) {
    Args args{"prog", "-const", "-strings", "a", "b"};
    std::string err;
    EXPECT_EQ(parse(args, table, 0, &err), 1);
    EXPECT_EQ(err, "\"-strings\" option requires an additional argument\n");
    EXPECT_EQ(constant, 7); // options before the failure took effect
    EXPECT_EQ(three_strings[0], args.word(3));
    EXPECT_EQ(three_strings[1], args.word(4));
    EXPECT_EQ(three_strings[2], nullptr);
}

TEST_F(ParseArgvTest, RestMakesEverythingAfterItLeftoverAndRecordsWhere) {
    Args args{"prog", "a", "-rest", "-const", "-int", "b"};
    std::string err;
    ASSERT_EQ(parse(args, table, 0, &err), 0);
    EXPECT_EQ(args.front(), (std::vector<std::string>{"prog", "a", "-const", "-int", "b"}));
    EXPECT_TRUE(args.terminated());
    EXPECT_EQ(rest_index, 2);
    EXPECT_EQ(constant, 0);
    EXPECT_EQ(err, "");
}

TEST_F(ParseArgvTest, HandlerGetsNextArgumentOrNullAndMayConsumeIt) {
    Args args{"prog", "-handler", "=v", "-handler", "x", "-handler"};
    std::string err;
    ASSERT_EQ(parse(args, table, 0, &err), 0);
    EXPECT_EQ(handler_calls,
              (std::vector<std::string>{"-handler =v", "-handler x", "-handler <null>"}));
    EXPECT_EQ(args.front(), (std::vector<std::string>{"prog", "x"}));
}

TEST_F(ParseArgvTest, RestHandlerRemovesWhatItUsed) {
    Args args{"prog", "-pair", "a", "b", "c", "-pa", "d", "e"};
    std::string err;
    ASSERT_EQ(parse(args, table, 0, &err), 0);
    EXPECT_EQ(pairs, (std::vector<std::string>{"a+b", "d+e"}));
    EXPECT_EQ(args.front(), (std::vector<std::string>{"prog", "c"}));
    EXPECT_TRUE(args.terminated());
}

TEST(ParseArgv, EmptyVectorIsLeftAlone) {
    char *argv[] = {nullptr};
    int argc = 0;
    const ArgvInfo table[] = {{nullptr, OPT_END, nullptr, nullptr, nullptr}};
    EXPECT_EQ(ParseArgv(&argc, argv, table, 0), 0);
    EXPECT_EQ(argc, 0);
    EXPECT_EQ(argv[0], nullptr);
}

// An exact key wins unless two abbreviation candidates come before it.
TEST(ParseArgv, ExactKeyAfterTwoCandidatesIsAmbiguous) {
    int which = 0;
    const ArgvInfo both_before[] = {
        {"-abc", OPT_CONSTANT, (void *)1, &which, ""},
        {"-abd", OPT_CONSTANT, (void *)2, &which, ""},
        {"-ab", OPT_CONSTANT, (void *)3, &which, ""},
        {nullptr, OPT_END, nullptr, nullptr, nullptr},
    };
    const ArgvInfo one_before[] = {
        {"-abc", OPT_CONSTANT, (void *)1, &which, ""},
        {"-ab", OPT_CONSTANT, (void *)3, &which, ""},
        {"-abd", OPT_CONSTANT, (void *)2, &which, ""},
        {nullptr, OPT_END, nullptr, nullptr, nullptr},
    };
    std::string err;
    Args first{"prog", "-ab"};
    EXPECT_EQ(parse(first, both_before, 0, &err), 1);
    EXPECT_EQ(err, "ambiguous option \"-ab\"\n");
    EXPECT_EQ(which, 0);

    Args second{"prog", "-ab"};
    EXPECT_EQ(parse(second, one_before, 0, &err), 0);
    EXPECT_EQ(which, 3);
    EXPECT_EQ(err, "");
}

const char *const converter_summary =
    "Command-specific options:\n"
    " -out_file: write output to file instead of stdout\n"
    "Generic options for all commands:\n"
    " -help:     Print summary of command-line options and abort\n";

TEST(ParseArgv, EveryAbbreviationOfHelpPrintsTheSummaryUnlessShared) {
    char *output_filename = nullptr;
    int height = 0;
    const ArgvInfo converter[] = {
        {"-out_file", OPT_STRING, (void *)1, &output_filename,
         "write output to file instead of stdout"},
        {nullptr, OPT_END, nullptr, nullptr, nullptr},
    };
    const ArgvInfo with_height[] = {
        {"-height", OPT_INT, nullptr, &height, "height"},
        {nullptr, OPT_END, nullptr, nullptr, nullptr},
    };
    struct {
        const char *arg;
        const ArgvInfo *table;
        bool summary;
    } cases[] = {
        {"-h", converter, true},     {"-he", converter, true},     {"-hel", converter, true},
        {"-help", converter, true},  {"-h", with_height, false},   {"-he", with_height, false},
        {"-hel", with_height, true}, {"-help", with_height, true},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.arg);
        Args args{"prog", c.arg};
        std::string err;
        EXPECT_EQ(parse(args, c.table, 0, &err), 1);
        if (!c.summary)
            EXPECT_EQ(err, "ambiguous option \"" + std::string(c.arg) + "\"\n");
        else if (c.table == converter)
            EXPECT_EQ(err, converter_summary);
        else
            EXPECT_EQ(err.rfind("Command-specific options:\n -height:", 0), 0u) << err;
    }
}

TEST(ParseArgv, ConverterCommandLineLeavesFilesAndStoresOutputName) {
    char *output_filename = nullptr;
    const ArgvInfo converter[] = {
        {"-out_file", OPT_STRING, (void *)1, &output_filename,
         "write output to file instead of stdout"},
        {nullptr, OPT_END, nullptr, nullptr, nullptr},
    };
    Args args{"program-name", "x", "-out_file", "o.iv", "y"};
    std::string err;
    ASSERT_EQ(parse(args, converter, 0, &err), 0);
    EXPECT_EQ(args.argc, 3);
    EXPECT_EQ(args.front(), (std::vector<std::string>{"program-name", "x", "y"}));
    EXPECT_TRUE(args.terminated());
    ASSERT_NE(output_filename, nullptr);
    EXPECT_STREQ(output_filename, "o.iv");
    EXPECT_EQ(err, "");
}

TEST_F(ParseArgvTest, SummaryShowsHeadingsAndCurrentValues) {
    // The values given before "-help" are the ones shown; keys are padded to
    // the longest key ("-strings", "-handler") plus one blank.
    Args args{"prog", "-int", "5", "-strings", "a", "b", "c", "-help"};
    std::string err;
    EXPECT_EQ(parse(args, table, 0, &err), 1);
    EXPECT_EQ(err, "Command-specific options:\n"
                   " -const:   store seven\n"
                   " -int:     one integer\n"
                   "\t\tDefault value: 5\n"
                   " -ints:    three integers\n"
                   "\t\tDefault value: 0 0 0\n"
                   " -string:  one text\n"
                   " -strings: three texts \"a\" \"b\" \"c\"\n"
                   " -floats:  two reals\n"
                   "\t\tDefault value: 0.5 0.25\n"
                   "Handlers:\n"
                   " -handler: calls back\n"
                   " -pair:    takes two\n"
                   " -greedy:  claims too many\n"
                   " -rest:    the rest are files\n"
                   " -bad:     no behaviour\n"
                   "Generic options for all commands:\n"
                   " -help:    Print summary of command-line options and abort\n");
}

TEST(ParseArgv, SummaryPadsLongKeysAndShowsMissingTexts) {
    char *texts[2] = {nullptr, nullptr};
    const ArgvInfo table[] = {
        {"-a_very_long_option_name_here", OPT_CONSTANT, nullptr, nullptr, "long"},
        {"-x", OPT_STRING, (void *)2, texts, "pair"},
        {nullptr, OPT_END, nullptr, nullptr, nullptr},
    };
    Args args{"prog", "-x", "t"};
    std::string err;
    EXPECT_EQ(parse(args, table, 0, &err), 1); // the second text is missing
    Args help{"prog", "-help"};
    EXPECT_EQ(parse(help, table, PARSE_HELP_COMMAND_ONLY, &err), 1);
    const std::string pad_x(29 + 1 - 2, ' ');
    EXPECT_EQ(err, "Command-specific options:\n"
                   " -a_very_long_option_name_here: long\n"
                   " -x:" +
                       pad_x + "pair \"t\" (null)\n");
}

TEST(ParseArgv, HelpOnlyForCommandStillCountsGenericKeysInWidth) {
    int flag = 0;
    const ArgvInfo table[] = {
        {"-x", OPT_CONSTANT, (void *)1, &flag, "set"},
        {nullptr, OPT_END, nullptr, nullptr, nullptr},
    };
    Args args{"prog", "-help"};
    std::string err;
    EXPECT_EQ(parse(args, table, PARSE_HELP_COMMAND_ONLY, &err), 1);
    EXPECT_EQ(err, "Command-specific options:\n -x:    set\n");
}

} // namespace
