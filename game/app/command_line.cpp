// Parsing the program's command line against one table of options, and the texts it prints.
#include "game/app/command_line.h"

#include <array>

#include "game/play/puzzle_number.h"
#include "game/ui/puzzle_number_dialog.h"
#include "game/ui/strings.h"
#include "game/version.h"
#include "platform/window.h"

namespace game::app {

namespace {

using ui::formatResString;
using ui::StringId;

constexpr std::string_view kProgramName = "varnook";

std::string setAction(CommandLine& line, CommandAction action) {
    if (line.action == CommandAction::Run) line.action = action;
    return {};
}

// A puzzle number names its board's language, so --language may only say the same.
std::string languagesDisagree(const CommandLine& line) {
    if (!line.language || !line.puzzle || line.puzzle->language == *line.language) return {};
    return formatResString(StringId::NotABoardOf,
                           {"|1", puzzleNumberText(*line.puzzle), "|2", letters::info(*line.language).code});
}

std::string setPuzzle(CommandLine& line, std::string_view value) {
    if (line.daily) return std::string(ui::loadResString(StringId::DailyOrPuzzle));
    PuzzleNumberRefusal why;
    line.puzzle = parsePuzzleNumber(value, &why);
    return line.puzzle ? languagesDisagree(line) : ui::explainRefusal(why);
}

std::string setLanguage(CommandLine& line, std::string_view value) {
    line.language = letters::fromCode(value);
    if (!line.language) {
        std::string codes;
        for (const auto& l : letters::kLanguages) codes += (codes.empty() ? "" : ", ") + std::string(l.code);
        return formatResString(StringId::NotALanguage, {"|1", value, "|2", codes});
    }
    return languagesDisagree(line);
}

std::string setZoom(CommandLine& line, std::string_view value) {
    if (value.size() == 1 && value[0] >= '0' + platform::zoom::kMin && value[0] <= '0' + platform::zoom::kMax) {
        line.zoom = value[0] - '0';
        return {};
    }
    return formatResString(StringId::NotAZoom, {"|1", value, "|2", platform::zoom::kMin, "|3", platform::zoom::kMax});
}

std::string setDaily(CommandLine& line, std::string_view) {
    if (line.puzzle) return std::string(ui::loadResString(StringId::DailyOrPuzzle));
    line.daily = true;
    return {};
}

std::string setToday(CommandLine& line, std::string_view value) {
    line.today = parseDate(value);
    return line.today ? std::string() : formatResString(StringId::NotADate, {"|1", value});
}

// To add an option: a field in CommandLine, a row here that fills it, its help in the string table
// (which the usage shows translated), a test.
constexpr std::array kOptions{
    CommandOption{"--help", "-h", "", "print this help and exit",
                  [](CommandLine& line, std::string_view) { return setAction(line, CommandAction::PrintUsage); }},
    CommandOption{"--version", "", "", "print the version and exit",
                  [](CommandLine& line, std::string_view) { return setAction(line, CommandAction::PrintVersion); }},
    CommandOption{"--puzzle", "", "WxH-SEED", "start a Classic game on the puzzle of this number (e.g. 5x4-1234)",
                  setPuzzle},
    CommandOption{"--language", "", "CODE", "play in this language: en, fr, de, es, it, nl or pt", setLanguage},
    CommandOption{"--zoom", "", "N", "draw the windows N times larger (1 to 4)", setZoom},
    CommandOption{"--daily", "", "", "start the daily puzzle of today", setDaily},
    CommandOption{"--today", "", "YYYY-MM-DD", "take this day for today (the daily puzzle, the statistics)", setToday},
};

CommandLine failed(std::string error) {
    CommandLine line;
    line.action = CommandAction::UsageError;
    line.error = std::move(error);
    return line;
}

const CommandOption* find(std::span<const CommandOption> options, std::string_view name) {
    for (const auto& o : options)
        if (o.name == name || (!o.shortName.empty() && o.shortName == name)) return &o;
    return nullptr;
}

}  // namespace

std::span<const CommandOption> programOptions() { return kOptions; }

CommandLine parseCommandLine(std::span<const std::string_view> args, std::span<const CommandOption> options) {
    CommandLine line;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string_view arg = args[i];
        if (arg.size() < 2 || arg[0] != '-') return failed(formatResString(StringId::UnexpectedArgument, {"|1", arg}));
        // "--name=value" carries its value; the short form never does.
        std::string_view name = arg;
        std::optional<std::string_view> value;
        if (const auto eq = arg.find('='); arg.starts_with("--") && eq != std::string_view::npos) {
            name = arg.substr(0, eq);
            value = arg.substr(eq + 1);
        }
        const CommandOption* option = find(options, name);
        if (option == nullptr) return failed(formatResString(StringId::UnknownOption, {"|1", name}));
        if (option->valueName.empty() && value) return failed(formatResString(StringId::TakesNoValue, {"|1", name}));
        if (!option->valueName.empty() && !value) {
            if (i + 1 == args.size()) return failed(formatResString(StringId::NeedsValue, {"|1", name}));
            value = args[++i];
        }
        if (std::string why = option->apply(line, value.value_or("")); !why.empty())
            return failed(std::string(name) + ": " + why);
    }
    return line;
}

CommandLine parseCommandLine(int argc, const char* const* argv) {
    std::vector<std::string_view> args;
    for (int i = 1; i < argc; ++i) args.emplace_back(argv[i]);
    return parseCommandLine(args);
}

std::string usageText(std::span<const CommandOption> options) {
    std::string text = formatResString(StringId::UsageLine, {"|1", kProgramName}) + "\n";
    text += std::string(ui::loadResString(StringId::UsageAbout)) + "\n\n" +
            std::string(ui::loadResString(StringId::UsageOptions)) + "\n";
    for (const auto& o : options) {
        std::string names = o.shortName.empty() ? "    " : std::string(o.shortName) + ", ";
        names += o.name;
        if (!o.valueName.empty()) names += " " + std::string(o.valueName);
        text += "  " + names + std::string(names.size() < 24 ? 24 - names.size() : 1, ' ') +
                std::string(ui::translate(o.help)) + "\n";
    }
    return text;
}

std::string versionText() { return std::string(kProgramName) + " " + version::kText; }

std::optional<int> respond(const CommandLine& line, std::ostream& out, std::ostream& err) {
    switch (line.action) {
        case CommandAction::Run: return std::nullopt;
        case CommandAction::PrintUsage: out << usageText(); return 0;
        case CommandAction::PrintVersion: out << versionText() << "\n"; return 0;
        case CommandAction::UsageError: err << kProgramName << ": " << line.error << "\n" << usageText(); return 2;
    }
    return std::nullopt;
}

}  // namespace game::app
