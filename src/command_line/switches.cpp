#include "command_line/switches.h"

// The bytes looked at here are spaces, quotes and slashes, all below 0x40,
// and no byte of a double-byte character's tail is, in any code page Windows
// uses: a path's characters pass through whole.
namespace {
enum class Name { Random, Default, Help, File };

struct KnownSwitch {
    const char* text;
    Name name;
    LogoSlot slot;
};

const KnownSwitch kSwitches[] = {
    {"/random", Name::Random, 0}, {"/default", Name::Default, 0}, {"/?", Name::Help, 0},
    {"/logo", Name::File, 0},     {"/logow", Name::File, 1},      {"/logos", Name::File, 2},
};

bool Blank(char c) { return c == ' ' || c == '\t'; }

class Reader {
public:
    explicit Reader(const Text& text) : text_(text) {}

    // Skips the blanks before the next argument; true when there is none.
    bool atEnd()
    {
        while (at_ < text_.size() && Blank(text_[at_])) ++at_;
        return at_ == text_.size();
    }
    bool atSwitch() { return !atEnd() && text_[at_] == '/'; }

    // From where the next argument starts (atEnd() said there is one):
    // a word up to the next blank, or a quoted stretch.
    Text word()
    {
        if (text_[at_] == '"') return quoted();
        const size_t start = at_;
        while (at_ < text_.size() && !Blank(text_[at_])) ++at_;
        return slice(start, at_);
    }

    // Likewise a file: quoted, or everything up to the next switch, without
    // the blanks before it.
    Text file()
    {
        if (text_[at_] == '"') return quoted();
        const size_t start = at_;
        size_t end = at_;
        while (at_ < text_.size() && !(text_[at_] == '/' && Blank(text_[at_ - 1]))) {
            if (!Blank(text_[at_])) end = at_ + 1;
            ++at_;
        }
        return slice(start, end);
    }

private:
    Text quoted()
    {
        const size_t start = ++at_;
        while (at_ < text_.size() && text_[at_] != '"') ++at_;
        Text inside = slice(start, at_);
        if (at_ < text_.size()) ++at_;
        return inside;
    }
    Text slice(size_t from, size_t to) const { return Text(text_.c_str() + from, to - from); }

    const Text& text_;
    size_t at_ = 0;
};

Switches Wrong(TextId what, const Text& where)
{
    Switches s;
    s.job = Job::Wrong;
    s.wrong = what;
    s.where = where;
    return s;
}

const KnownSwitch* Find(const Text& word)
{
    for (const KnownSwitch& known : kSwitches)
        if (word.equalsAsciiIgnoringCase(known.text)) return &known;
    return nullptr;
}

Job JobOf(Name name)
{
    switch (name) {
    case Name::Random: return Job::Random;
    case Name::Default: return Job::Default;
    case Name::Help: return Job::Help;
    case Name::File: break;
    }
    return Job::Apply;
}
}

// Everything is read before anything is done: a wrong argument anywhere
// makes the whole line wrong.
Switches ParseSwitches(const Text& arguments)
{
    Switches s;
    Reader in(arguments);
    bool help = false;
    while (!in.atEnd()) {
        const bool isSwitch = in.atSwitch();
        const Text word = in.word();
        const KnownSwitch* known = isSwitch ? Find(word) : nullptr;
        if (!known) return Wrong(kTxtUnknownSwitch, word);
        const Job job = JobOf(known->name);
        if (job == Job::Help) {
            help = true;
            continue;
        }
        if (s.job != Job::Window && s.job != job) return Wrong(kTxtOneJob, word);
        s.job = job;
        if (job != Job::Apply) continue;
        if (in.atEnd() || in.atSwitch()) return Wrong(kTxtMissingFile, word);
        s.files[known->slot] = in.file();
        if (s.files[known->slot].empty()) return Wrong(kTxtMissingFile, word);
    }
    if (help) s.job = Job::Help;
    return s;
}
