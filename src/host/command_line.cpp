#include "host/command_line.h"

UsageError WrongUsage(const std::string& command, const std::string& what)
{
    return {"plumwick " + command + ": " + what + "; see plumwick " + command + " --help"};
}

CommandArgs ParseCommandArgs(const std::string& command, const std::vector<std::string>& words,
                             const std::vector<KnownOption>& options, size_t positionalCount)
{
    CommandArgs args;
    bool optionsEnded = false;
    for (size_t i = 0; i < words.size(); ++i) {
        const std::string& w = words[i];
        if (optionsEnded || w.size() < 2 || w[0] != '-') {
            args.positional.push_back(w);
            continue;
        }
        if (w == "--") {
            optionsEnded = true;
            continue;
        }
        if (w == "--help" || w == "-h") {
            args.help = true;
            return args;
        }
        const std::string name = w.substr(0, w.find('='));
        const KnownOption* known = nullptr;
        for (const KnownOption& o : options)
            if (name == o.name) known = &o;
        if (!known) throw WrongUsage(command, "unknown option " + name);
        if (args.has(name)) throw WrongUsage(command, name + " given twice");
        std::string value;
        if (!known->value) {
            if (name != w) throw WrongUsage(command, name + " takes no value");
        } else if (name != w) {
            value = w.substr(name.size() + 1);
        } else if (i + 1 < words.size() && (!known->takes || known->takes(words[i + 1]))) {
            value = words[++i];
        }
        if (known->value && !known->takes && value.empty()) throw WrongUsage(command, name + " needs " + known->value);
        args.options[name] = value;
    }
    if (args.positional.size() != positionalCount)
        throw WrongUsage(command, "takes " + std::to_string(positionalCount) + " file name" +
                                      (positionalCount == 1 ? "" : "s") + ", " +
                                      std::to_string(args.positional.size()) + " given");
    return args;
}
