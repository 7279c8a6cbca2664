#pragma once
// The tool's command line: options, the command and its operands.
#include <string>
#include <vector>

struct ToolRequest {
    std::string file;                    // --file; empty means the user's keysym file
    std::string command;                 // empty with --help
    std::vector<std::string> operands;
    bool matchCase = false;              // find --match-case
    bool wholeName = false;              // find --whole-name
    bool help = false;
    bool header = false;                 // export --format header
    bool formatGiven = false;            // --format given at all
    bool verbose = false;                // every skipped line, not the first ten
};

// Reads the arguments after the program name. False for a command line the tool does not
// understand, with `problem` saying what is wrong. "--" ends the options, so that operands
// may begin with "-".
bool ParseToolArguments(const std::vector<std::string>& args, ToolRequest& request, std::string& problem);

// The usage text: every command, one line each, and the exit statuses.
extern const char kToolUsage[];
// The first lines of it, shown after a bad command line.
extern const char kToolShortUsage[];
