// The program's command line: what it asks for (run the game, print the usage or the version) and
// the usage text. Pure: main() prints what respond() writes and exits with its status.
#pragma once

#include <optional>
#include <ostream>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "game/play/daily.h"
#include "game/play/puzzle_number.h"

namespace game::app {

enum class CommandAction {
    Run,           // start the game
    PrintUsage,    // --help: the usage on standard output, status 0
    PrintVersion,  // --version: "varnook VERSION" on standard output, status 0
    UsageError,    // a bad command line: what is wrong and the usage on standard error, status 2
};

// What the command line asks for. Options that change how the game runs are fields here.
struct CommandLine {
    CommandAction action = CommandAction::Run;
    std::string error;  // for UsageError: what is wrong, as one line
    // --puzzle WxH-SEED: a Classic game on that puzzle at start-up.
    std::optional<PuzzleNumber> puzzle;
    // --zoom N: the windows at this zoom (1 to 4) instead of the remembered or fitting one.
    std::optional<int> zoom;
    // --daily: the day's daily puzzle at start-up.
    bool daily = false;
    // --today YYYY-MM-DD: the day the game takes for today (for tests), instead of the clock's.
    std::optional<Date> today;
    // --language CODE: the board's language for this run instead of the desktop's.
    std::optional<letters::Language> language;
};

// One option of the table. An option with a valueName takes a value ("--name VALUE" or
// "--name=VALUE"); apply() stores it and returns an empty string, or says what is wrong with it.
struct CommandOption {
    std::string_view name;       // "--help"
    std::string_view shortName;  // "-h", or empty
    std::string_view valueName;  // "N" for an option with a value, or empty
    std::string_view help;       // one line for the usage text
    std::string (*apply)(CommandLine& line, std::string_view value);
};

// The program's options, in the order the usage lists them.
std::span<const CommandOption> programOptions();

// Reads the arguments after the program name. Of --help and --version the first one given counts;
// an unknown option, a missing or unwanted value, or an argument that is no option is a usage error.
CommandLine parseCommandLine(std::span<const std::string_view> args,
                             std::span<const CommandOption> options = programOptions());
CommandLine parseCommandLine(int argc, const char* const* argv);

// "Usage: varnook [OPTION]..." and one line per option.
std::string usageText(std::span<const CommandOption> options = programOptions());

// "varnook 1.0": the program's name and its version.
std::string versionText();

// Writes what the command line asks to print and returns the exit status, or nothing when the game
// is to run.
std::optional<int> respond(const CommandLine& line, std::ostream& out, std::ostream& err);

}  // namespace game::app
