// The program's command line: --help and --version print and end the program, anything else
// unknown is a usage error with status 2, and no argument runs the game.
#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "game/app/command_line.h"
#include "game/version.h"

namespace {

using game::app::CommandAction;
using game::app::CommandLine;
using game::app::parseCommandLine;

CommandLine parse(std::vector<std::string_view> args) { return parseCommandLine(args); }

struct Printed {
    std::optional<int> status;
    std::string out;
    std::string err;
};

Printed respondTo(std::vector<std::string_view> args) {
    std::ostringstream out, err;
    Printed p;
    p.status = game::app::respond(parse(std::move(args)), out, err);
    p.out = out.str();
    p.err = err.str();
    return p;
}

TEST(CommandLine, NoArgumentRunsTheGameAndPrintsNothing) {
    const Printed p = respondTo({});
    EXPECT_FALSE(p.status.has_value());
    EXPECT_EQ(p.out, "");
    EXPECT_EQ(p.err, "");
}

TEST(CommandLine, HelpPrintsTheUsageOnStandardOutputAndEndsWithZero) {
    for (std::string_view help : {"--help", "-h"}) {
        const Printed p = respondTo({help});
        EXPECT_EQ(p.status, 0) << help;
        EXPECT_TRUE(p.out.starts_with("Usage: varnook [OPTION]...\n")) << p.out;
        EXPECT_NE(p.out.find("  -h, --help"), std::string::npos) << p.out;
        EXPECT_NE(p.out.find("      --version"), std::string::npos) << p.out;
        EXPECT_EQ(p.err, "");
    }
}

TEST(CommandLine, VersionPrintsTheNameAndTheBuildsVersion) {
    const Printed p = respondTo({"--version"});
    EXPECT_EQ(p.status, 0);
    EXPECT_EQ(p.out, std::string("varnook ") + game::version::kText + "\n");
    EXPECT_EQ(std::string(game::version::kText),
              std::to_string(game::version::kMajor) + "." + std::to_string(game::version::kMinor));
    EXPECT_EQ(p.err, "");
}

TEST(CommandLine, TheFirstOfHelpAndVersionCounts) {
    EXPECT_EQ(parse({"--version", "--help"}).action, CommandAction::PrintVersion);
    EXPECT_EQ(parse({"-h", "--version"}).action, CommandAction::PrintUsage);
}

TEST(CommandLine, AnythingUnknownIsAUsageErrorOnStandardErrorWithStatusTwo) {
    const std::vector<std::pair<std::vector<std::string_view>, std::string>> cases = {
        {{"--bogus"}, "unknown option '--bogus'"}, {{"-x"}, "unknown option '-x'"},
        {{"-"}, "unexpected argument '-'"},        {{"puzzle.txt"}, "unexpected argument 'puzzle.txt'"},
        {{"--help=yes"}, "--help takes no value"}, {{"--version", "--nope"}, "unknown option '--nope'"},
        {{"--hel"}, "unknown option '--hel'"},
    };
    for (const auto& [args, error] : cases) {
        const Printed p = respondTo(args);
        EXPECT_EQ(p.status, 2) << error;
        EXPECT_EQ(p.out, "") << error;
        EXPECT_TRUE(p.err.starts_with("varnook: " + error + "\nUsage: varnook")) << p.err;
    }
}

// An option with a value, as the table allows: both spellings, a missing value, a refused one.
int zoom = 0;
constexpr game::app::CommandOption kZoom{"--zoom", "-z", "N", "scale the window N times",
                                         [](CommandLine&, std::string_view value) -> std::string {
                                             if (value != "1" && value != "2") return "N must be 1 or 2";
                                             zoom = value[0] - '0';
                                             return {};
                                         }};

TEST(CommandLine, AnOptionWithAValueTakesItEitherWayAndListsIt) {
    const std::vector<game::app::CommandOption> options{kZoom};
    const std::vector<std::string_view> spaced{"--zoom", "2"}, joined{"--zoom=1"}, shortForm{"-z", "2"};
    zoom = 0;
    EXPECT_EQ(parseCommandLine(spaced, options).action, CommandAction::Run);
    EXPECT_EQ(zoom, 2);
    EXPECT_EQ(parseCommandLine(joined, options).action, CommandAction::Run);
    EXPECT_EQ(zoom, 1);
    EXPECT_EQ(parseCommandLine(shortForm, options).action, CommandAction::Run);
    EXPECT_EQ(zoom, 2);

    const std::vector<std::string_view> missing{"--zoom"}, refused{"--zoom=3"};
    EXPECT_EQ(parseCommandLine(missing, options).error, "--zoom needs a value");
    EXPECT_EQ(parseCommandLine(refused, options).error, "--zoom: N must be 1 or 2");
    EXPECT_NE(game::app::usageText(options).find("  -z, --zoom N            scale the window N times\n"),
              std::string::npos)
        << game::app::usageText(options);
}

TEST(CommandLine, PuzzleTakesAClassicBoardSizeAndASeedFrom0To10000) {
    const CommandLine line = parse({"--puzzle", "5x4-1234"});
    EXPECT_EQ(line.action, CommandAction::Run);
    ASSERT_TRUE(line.puzzle.has_value());
    EXPECT_EQ(*line.puzzle, (game::PuzzleNumber{5, 4, 1234}));
    EXPECT_EQ(parse({"--puzzle=6X6-0"}).puzzle, (game::PuzzleNumber{6, 6, 0}));
    EXPECT_EQ(parse({"--puzzle=4x4-10000"}).puzzle, (game::PuzzleNumber{4, 4, 10000}));
    EXPECT_FALSE(parse({}).puzzle.has_value());

    const std::vector<std::pair<std::string_view, std::string>> refused = {
        {"5x3-12", "5x3 is not a board size of Classic Mode (6x6, 6x5, 5x5, 6x4, 5x4, 4x4)"},
        {"4x6-12", "4x6 is not a board size of Classic Mode"},
        {"5x4-10001", "the seed 10001 is not between 0 and 10000"},
        {"5x4--1", "'5x4--1' is not a puzzle number of the form WxH-SEED"},
        {"5x4-", "'5x4-' is not a puzzle number"},
        {"5x4", "'5x4' is not a puzzle number"},
        {"x4-1", "'x4-1' is not a puzzle number"},
        {"5x4-12a", "'5x4-12a' is not a puzzle number"},
        {" 5x4-1", "' 5x4-1' is not a puzzle number"},
        {"5x4-999999999999", "'5x4-999999999999' is not a puzzle number"},
    };
    for (const auto& [value, error] : refused) {
        const std::vector<std::string_view> args{"--puzzle", value};
        const Printed p = respondTo(args);
        EXPECT_EQ(p.status, 2) << value;
        EXPECT_TRUE(p.err.starts_with("varnook: --puzzle: " + error)) << p.err;
        EXPECT_NE(p.err.find("\nUsage: varnook"), std::string::npos) << p.err;
    }
    EXPECT_EQ(respondTo({"--puzzle"}).status, 2) << "the number is needed";
}

TEST(CommandLine, ZoomTakesOneToFourAndHelpListsBothOptions) {
    EXPECT_EQ(parse({"--zoom", "3"}).zoom, 3);
    EXPECT_EQ(parse({"--zoom=1"}).zoom, 1);
    EXPECT_FALSE(parse({}).zoom.has_value());
    for (std::string_view bad : {"0", "5", "2x", "", "-1", "1.5"}) {
        const std::vector<std::string_view> args{"--zoom", bad};
        const Printed p = respondTo(args);
        EXPECT_EQ(p.status, 2) << bad;
        EXPECT_TRUE(p.err.starts_with("varnook: --zoom: '" + std::string(bad) + "' is not a zoom from 1 to 4\n"))
            << p.err;
    }
    const Printed help = respondTo({"--help"});
    EXPECT_NE(help.out.find("      --puzzle WxH-SEED   start a Classic game on the puzzle of this number"),
              std::string::npos)
        << help.out;
    EXPECT_NE(help.out.find("      --zoom N            draw the windows N times larger (1 to 4)"), std::string::npos)
        << help.out;
}

TEST(CommandLine, DailyStartsTheDaysPuzzleAndTodayTakesARealDate) {
    EXPECT_FALSE(parse({}).daily);
    EXPECT_FALSE(parse({}).today.has_value());
    const CommandLine line = parse({"--daily", "--today=2026-12-08"});
    EXPECT_EQ(line.action, CommandAction::Run);
    EXPECT_TRUE(line.daily);
    EXPECT_EQ(line.today, (game::Date{2026, 12, 8}));

    for (const std::vector<std::string_view>& args : {std::vector<std::string_view>{"--today", "2026-02-29"},
                                                       {"--today", "yesterday"},
                                                       {"--daily=1"},
                                                       {"--daily", "--puzzle", "5x4-1"},
                                                       {"--puzzle", "5x4-1", "--daily"}}) {
        const Printed p = respondTo(args);
        EXPECT_EQ(p.status, 2) << args[0];
        EXPECT_TRUE(p.err.starts_with("varnook: --")) << p.err;
    }
    EXPECT_TRUE(respondTo({"--today", "2026-02-29"}).err.starts_with("varnook: --today: '2026-02-29' is not a date"));
    EXPECT_TRUE(respondTo({"--daily", "--puzzle", "5x4-1"}).err.starts_with("varnook: --puzzle: --daily and --puzzle"));
}

TEST(CommandLine, LanguageTakesACodeVarnookPlaysAndMustAgreeWithThePuzzlesLanguage) {
    using game::letters::Language;
    EXPECT_EQ(parse({"--language", "fr"}).language, Language::French);
    EXPECT_EQ(parse({"--language=DE"}).language, Language::German);
    EXPECT_EQ(parse({"--language", "en"}).language, Language::English);
    EXPECT_FALSE(parse({}).language.has_value());
    const CommandLine french = parse({"--language", "fr", "--puzzle", "fr-5x4-1234"});
    EXPECT_EQ(french.action, CommandAction::Run);
    EXPECT_EQ(french.puzzle, (game::PuzzleNumber{5, 4, 1234, Language::French}));

    const std::vector<std::pair<std::vector<std::string_view>, std::string>> refused = {
        {{"--language", "sv"}, "--language: 'sv' is not a language Varnook plays (en, fr, de, es, it, nl, pt)"},
        {{"--language", ""}, "--language: '' is not a language Varnook plays"},
        {{"--puzzle", "xx-5x4-1"}, "--puzzle: 'xx' is not a language Varnook plays"},
        {{"--language", "de", "--puzzle", "fr-5x4-1"}, "--puzzle: the puzzle fr-5x4-1 is not a board of the language de"},
        {{"--puzzle", "5x4-1", "--language", "es"}, "--language: the puzzle 5x4-1 is not a board of the language es"},
    };
    for (const auto& [args, error] : refused) {
        const Printed p = respondTo(args);
        EXPECT_EQ(p.status, 2) << error;
        EXPECT_TRUE(p.err.starts_with("varnook: " + error)) << p.err;
    }
    EXPECT_NE(respondTo({"--help"}).out.find("      --language CODE     play in this language"), std::string::npos);
}

TEST(CommandLine, ArgvSkipsTheProgramName) {
    const char* argv[] = {"/usr/games/varnook", "--version"};
    EXPECT_EQ(parseCommandLine(2, argv).action, CommandAction::PrintVersion);
    const char* none[] = {"varnook"};
    EXPECT_EQ(parseCommandLine(1, none).action, CommandAction::Run);
}

}  // namespace
