#pragma once
#include <map>
#include <string>
#include <vector>

// A command line wrong in itself: the command prints it with a pointer to
// its help and ends with exit code 2.
struct UsageError {
    std::string message;
};

// "plumwick COMMAND: WHAT; see plumwick COMMAND --help".
UsageError WrongUsage(const std::string& command, const std::string& what);

// What a command's words were: its positional arguments in order, and
// the options given, each with its value ("" for a switch).
struct CommandArgs {
    std::vector<std::string> positional;
    std::map<std::string, std::string> options;
    bool help = false;

    bool has(const std::string& option) const { return options.count(option) != 0; }
};

struct KnownOption {
    const char* name;   // "--start"
    const char* value;  // what must follow it ("a file"), or nullptr for a switch
    // For an option whose value may be left out: whether a word is its
    // value rather than the next argument. The value is then "".
    bool (*takes)(const std::string& word) = nullptr;
};

// Reads `words` against the command's options and its count of positional
// arguments; "--help" or "-h" anywhere asks for the help instead.
CommandArgs ParseCommandArgs(const std::string& command, const std::vector<std::string>& words,
                             const std::vector<KnownOption>& options, size_t positionalCount);
