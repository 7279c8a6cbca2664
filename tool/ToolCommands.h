#pragma once
// The tool's commands over the editor's own store, rules and save.
#include "tool/ToolArguments.h"
#include "tool/ToolConsole.h"

// The tool's exit statuses.
enum ToolExit : int {
    kToolDone = 0,
    kToolRefused = 1,       // refused, not found, or check found problems
    kToolBadUsage = 2,
    kToolFileFailed = 3,    // the keysym file (or the user's directory) could not be read or saved
};

// Runs one parsed command; data goes to `out`, messages to `err`.
int RunToolCommand(const ToolRequest& request, ToolStream& out, ToolStream& err);
