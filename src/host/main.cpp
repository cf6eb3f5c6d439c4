// plumwick: Windows 95/98 logos made, shown and put into emulators' disk
// images from Linux.
#include <cstdio>
#include <cstring>
#include <new>
#include <string>
#include <vector>

#include "host/commands.h"
#include "host/interruption.h"
#include "host/user_error.h"
#include "resources/version.h"
#include "text/messages.h"

namespace {
constexpr int kExitFailed = 1;
constexpr int kExitUsage = 2;

const Command* const kCommands[] = {&kMakeCommand, &kShowCommand, &kInstallCommand, &kRestoreCommand};

void PrintOverallHelp(std::FILE* to)
{
    std::fprintf(to,
                 "plumwick %s: the Windows 95/98 start-up and shutdown logos, from Linux\n"
                 "\n"
                 "Usage:\n",
                 PLUMWICK_VERSION_TEXT);
    for (const Command* c : kCommands) std::fprintf(to, "  plumwick %s\n      %s\n", c->usage, c->summary);
    std::fprintf(to,
                 "  plumwick COMMAND --help\n"
                 "      what a command does, in full\n"
                 "\n"
                 "A logo is a 320 x 400, 256-colour bitmap: LOGO.SYS in the boot drive's root\n"
                 "while Windows starts, LOGOW.SYS and LOGOS.SYS in the Windows folder while it\n"
                 "shuts down and when the machine may be switched off.\n"
                 "Exit codes: 0 done, 1 failed (the message says why), 2 wrong command line.\n");
}

void PrintCommandHelp(const Command& c) { std::printf("Usage: plumwick %s\n%s.\n\n%s", c.usage, c.summary, c.details); }

int Run(const std::vector<std::string>& words)
{
    if (words.empty()) {
        PrintOverallHelp(stderr);
        return kExitUsage;
    }
    const std::string& name = words[0];
    if (name == "--help" || name == "-h" || name == "help") {
        for (const Command* c : kCommands)
            if (words.size() > 1 && words[1] == c->name) {
                PrintCommandHelp(*c);
                return 0;
            }
        PrintOverallHelp(stdout);
        return 0;
    }
    if (name == "--version") {
        std::printf("plumwick %s\n", PLUMWICK_VERSION_TEXT);
        return 0;
    }
    for (const Command* c : kCommands) {
        if (name != c->name) continue;
        const CommandArgs args =
            ParseCommandArgs(name, {words.begin() + 1, words.end()}, c->options, c->positionalCount);
        if (args.help) {
            PrintCommandHelp(*c);
            return 0;
        }
        Progress progress;
        return c->run(args, progress);
    }
    throw UsageError{"plumwick: no command " + name + "; see plumwick --help"};
}
}

int main(int argc, char** argv)
{
    UseLanguage(Language::English);  // the descriptions of the logo procedures' failures
    try {
        return Run({argv + 1, argv + argc});
    } catch (const UsageError& e) {
        std::fprintf(stderr, "%s\n", e.message.c_str());
        return kExitUsage;
    } catch (const Interrupted& stop) {
        EndBy(stop.signal);
    } catch (const UserError& e) {
        std::fprintf(stderr, "plumwick: %s\n", e.what());
    } catch (const std::bad_alloc&) {
        std::fprintf(stderr, "plumwick: out of memory\n");
    } catch (const std::exception& e) {
        std::fprintf(stderr, "plumwick: %s\n", e.what());
    }
    return kExitFailed;
}
