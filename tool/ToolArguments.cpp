#include "tool/ToolArguments.h"

namespace {
struct CommandShape {
    const char* name;
    size_t minOperands;
    size_t maxOperands;
    bool findOptions;
};

const CommandShape kCommands[] = {
    {"list", 0, 1, false},       {"find", 1, 1, true},        {"add", 3, 3, false},
    {"edit", 2, 2, false},       {"remove", 1, 1, false},     {"add-set", 1, 1, false},
    {"rename-set", 2, 2, false}, {"remove-set", 1, 1, false}, {"import", 2, 2, false},
    {"export", 2, 2, false},     {"check", 0, 0, false},
};

const CommandShape* FindCommand(const std::string& name)
{
    for (const CommandShape& shape : kCommands)
        if (name == shape.name)
            return &shape;
    return nullptr;
}
}  // namespace

const char kToolShortUsage[] =
    "usage: keysymtool [--file PATH] COMMAND [ARGUMENTS]\r\n"
    "       keysymtool --help   lists the commands\r\n";

const char kToolUsage[] =
    "usage: keysymtool [--file PATH] COMMAND [ARGUMENTS]\r\n"
    "\r\n"
    "  list                    the sets in set order: set TAB count\r\n"
    "  list SET                the set's keysyms in name order: name TAB value\r\n"
    "  find TEXT [--match-case] [--whole-name]\r\n"
    "                          keysyms whose name begins with TEXT (or is TEXT):\r\n"
    "                          set TAB name TAB value\r\n"
    "  add SET NAME VALUE      adds a keysym; VALUE is 1 to 8 hex digits\r\n"
    "  edit NAME VALUE         gives a keysym a new value\r\n"
    "  remove NAME             removes a keysym\r\n"
    "  add-set SET             adds a set\r\n"
    "  rename-set SET NEWNAME  renames a set; its keysyms stay in it\r\n"
    "  remove-set SET          removes a set with all its keysyms\r\n"
    "  import FILE SET         adds the keysyms of an XKeysymDB file or C header to SET,\r\n"
    "                          which is made when it does not exist\r\n"
    "  export SET FILE [--format header]\r\n"
    "                          writes SET as XKeysymDB lines (LF), or as a C header of\r\n"
    "                          #define XK_name 0xVALUE lines; FILE - is standard output\r\n"
    "  check                   lists what the editor would not show or would lose\r\n"
    "\r\n"
    "  --file PATH             works on PATH instead of keysyms.kbs in the user's directory\r\n"
    "  --verbose               import and export list every line they skip or leave out,\r\n"
    "                          not only the first ten\r\n"
    "  --help, -h, /?          shows this text\r\n"
    "\r\n"
    "Exit status: 0 done; 1 refused, not found, check found problems, an import or export\r\n"
    "file could not be read or written, an import file held no keysym line, or an export\r\n"
    "left out names its format cannot carry; 2 bad usage; 3 the keysym file could not be\r\n"
    "read or saved, or standard output or error could not be written. After a saved\r\n"
    "change, running programs are told to reload the keysyms; a command that changes\r\n"
    "nothing writes nothing and tells no one.\r\n";

bool ParseToolArguments(const std::vector<std::string>& args, ToolRequest& request, std::string& problem)
{
    bool optionsEnded = false;
    std::vector<std::string> words;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (!optionsEnded && (arg == "--help" || arg == "-h" || arg == "/?")) {
            request.help = true;   // "/?" as Windows programs take it
        } else if (optionsEnded || arg.size() < 2 || arg[0] != '-') {
            words.push_back(arg);
        } else if (arg == "--") {
            optionsEnded = true;
        } else if (arg == "--file") {
            if (i + 1 == args.size() || args[i + 1].empty()) {
                problem = "--file needs a path";
                return false;
            }
            request.file = args[++i];
        } else if (arg == "--format") {
            const std::string format = i + 1 < args.size() ? args[++i] : std::string();
            if (format != "header" && format != "xkeysymdb") {
                problem = "--format takes header or xkeysymdb";
                return false;
            }
            request.header = format == "header";
            request.formatGiven = true;
        } else if (arg == "--verbose") {
            request.verbose = true;
        } else if (arg == "--match-case") {
            request.matchCase = true;
        } else if (arg == "--whole-name") {
            request.wholeName = true;
        } else {
            problem = "unknown option " + arg;
            return false;
        }
    }
    if (request.help)
        return true;
    if (words.empty()) {
        problem = "no command given";
        return false;
    }
    request.command = words.front();
    request.operands.assign(words.begin() + 1, words.end());
    const CommandShape* shape = FindCommand(request.command);
    if (!shape) {
        problem = "unknown command " + request.command;
        return false;
    }
    if (request.operands.size() < shape->minOperands || request.operands.size() > shape->maxOperands) {
        problem = request.command + ": wrong number of arguments";
        return false;
    }
    if ((request.matchCase || request.wholeName) && !shape->findOptions) {
        problem = "--match-case and --whole-name belong to find";
        return false;
    }
    if (request.formatGiven && request.command != "export") {
        problem = "--format belongs to export";
        return false;
    }
    if (request.command == "find" && request.operands.front().empty()) {
        problem = "find needs a text to look for";
        return false;
    }
    return true;
}
