#pragma once
// Which keysym file the tool works on, and the folder its save writes the temporary file in.
#include <string>

struct KeySymFileLocation {
    std::string path;     // the keysym file, with its full path
    std::string folder;   // the folder that holds it
};

// The file named on the command line. False when the name cannot be made a full path.
bool LocateNamedKeySymFile(const std::string& typed, KeySymFileLocation& location);

// "keysyms.kbs" in the user's directory, found as the editor finds it: directory 0 of the
// directory service, lower-cased. False when that directory does not exist; `folder` then
// names what the service gave.
bool LocateUserKeySymFile(KeySymFileLocation& location);
