#include "fake_platform.h"

#include <algorithm>

#include "../../src/platform/bitmap_file.h"
#include "../../src/platform/units.h"

std::string Str(const Text& t) { return std::string(t.c_str(), t.size()); }

namespace {
bool LeadByte(unsigned char c) { return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC); }

// FAT ignores case in names; Shift-JIS trail bytes are never folded.
std::string Fold(const std::string& path)
{
    std::string folded;
    for (size_t i = 0; i < path.size(); ++i) {
        unsigned char c = static_cast<unsigned char>(path[i]);
        if (LeadByte(c) && i + 1 < path.size()) {
            folded += path[i];
            folded += path[++i];
            continue;
        }
        folded += (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : path[i];
    }
    if (folded.size() > 3 && folded.back() == '\\') folded.pop_back();
    return folded;
}

// The position of the last backslash that is a character of its own.
size_t LastSeparator(const std::string& path)
{
    size_t last = std::string::npos;
    for (size_t i = 0; i < path.size(); ++i) {
        if (LeadByte(static_cast<unsigned char>(path[i]))) {
            ++i;
            continue;
        }
        if (path[i] == '\\') last = i;
    }
    return last;
}

std::string Parent(const std::string& path)
{
    size_t at = LastSeparator(path);
    if (at == std::string::npos) return "";
    return path.substr(0, at == 2 ? 3 : at);
}

std::string LastName(const std::string& path)
{
    size_t at = LastSeparator(path);
    return at == std::string::npos ? path : path.substr(at + 1);
}

bool IsRoot(const std::string& path) { return path.size() == 3 && path[1] == ':' && path[2] == '\\'; }

std::string Trim(const std::string& s)
{
    size_t b = s.find_first_not_of(" \t"), e = s.find_last_not_of(" \t\r");
    return b == std::string::npos ? "" : s.substr(b, e - b + 1);
}

uint32_t Le32(const std::string& s, size_t at)
{
    return static_cast<uint8_t>(s[at]) | static_cast<uint8_t>(s[at + 1]) << 8 |
           static_cast<uint8_t>(s[at + 2]) << 16 | static_cast<uint32_t>(static_cast<uint8_t>(s[at + 3])) << 24;
}

// Decodes the plain 8- and 24-bit pictures the tests use; any other valid
// kind comes out mid-grey.
FakePlatform::Picture Decode(const std::string& file, const BitmapLayout& l)
{
    FakePlatform::Picture p;
    p.width = l.width;
    p.height = l.height;
    p.bgr.assign(static_cast<size_t>(l.width) * l.height * 3, 128);
    if (l.compression != kBiRgb || (l.bitCount != 24 && l.bitCount != 8)) return p;
    size_t stride = RowBytes(static_cast<uint32_t>(l.width), l.bitCount);
    size_t palette = 14 + Le32(file, 14);
    for (int32_t y = 0; y < l.height; ++y) {
        size_t row = l.bitsOffset + stride * (l.topDown ? y : l.height - 1 - y);
        for (int32_t x = 0; x < l.width; ++x) {
            uint8_t* out = &p.bgr[(static_cast<size_t>(y) * l.width + x) * 3];
            const char* in = l.bitCount == 24 ? &file[row + x * 3]
                                              : &file[palette + 4 * static_cast<uint8_t>(file[row + x])];
            for (int c = 0; c < 3; ++c) out[c] = static_cast<uint8_t>(in[c]);
        }
    }
    return p;
}
}

FakePlatform::FakePlatform()
{
    addFolder("C:\\");
    addFolder("C:\\WINDOWS");
    addFolder(folder);
}

void FakePlatform::addFolder(const std::string& path, unsigned attrs)
{
    entries_[Fold(path)] = Entry{path, "", attrs | kFolder};
}

void FakePlatform::addFile(const std::string& path, const std::string& bytes, unsigned attrs)
{
    entries_[Fold(path)] = Entry{path, bytes, attrs & ~kFolder};
}

FakePlatform::Entry* FakePlatform::find(const std::string& path)
{
    auto it = entries_.find(Fold(path));
    return it == entries_.end() ? nullptr : &it->second;
}

const FakePlatform::Entry* FakePlatform::find(const std::string& path) const
{
    auto it = entries_.find(Fold(path));
    return it == entries_.end() ? nullptr : &it->second;
}

bool FakePlatform::exists(const std::string& path) const { return find(path) != nullptr; }
const FakePlatform::Entry* FakePlatform::entry(const std::string& path) const { return find(path); }

std::string FakePlatform::bytes(const std::string& path) const
{
    const Entry* e = find(path);
    return e ? e->bytes : std::string();
}

std::vector<std::string> FakePlatform::list() const
{
    std::vector<std::string> paths;
    for (const auto& [key, e] : entries_) paths.push_back(e.path);
    return paths;
}

void FakePlatform::remove(const std::string& path) { entries_.erase(Fold(path)); }

void FakePlatform::failOn(Op op, const std::string& where, int number) { rules_.push_back({op, where, number}); }

// Every failable call counts once; a rule matches either path it names.
Err FakePlatform::fault(Op op, const std::string& path, const std::string& other)
{
    ++calls_;
    if (calls_ == failAt_) {
        injected_ = true;
        return Err(failNumber_, Text(path.c_str()));
    }
    for (const Rule& r : rules_) {
        if (r.op != op) continue;
        for (const std::string* p : {&path, &other})
            if (!p->empty() && Fold(*p).find(Fold(r.where)) != std::string::npos)
                return Err(r.number, Text(p->c_str()));
    }
    return Err();
}

Err FakePlatform::controlFault(Op op, const Form& form, int index)
{
    const ControlDef& d = form.def->controls[index];
    std::string name = d.name;
    if (d.index >= 0) name += "(" + std::to_string(d.index) + ")";
    Err e = fault(op, name);
    return e ? Err(e.number()) : Err();
}

Err FakePlatform::writable(const std::string& path)
{
    const Entry* parent = find(Parent(path));
    if (!parent || !(parent->attrs & kFolder)) return Err(kErrPathNotFound, Text(path.c_str()));
    if (parent->attrs & kReadOnly) return Err(kErrPathFileAccess, Text(path.c_str()));
    return Err();
}

Err FakePlatform::findFile(const Text& path, FileQuery kind, Text* name)
{
    std::string p = Str(path);
    *name = Text();
    PLUMWICK_TRY(fault(Op::FindFile, p));
    const Entry* e = find(p);
    if (!e || IsRoot(e->path)) return Err();
    bool folder = e->attrs & kFolder, concealed = e->attrs & (kHidden | kSystem);
    bool reported = kind == FileQuery::AnyFile ? !folder
                  : kind == FileQuery::Plain   ? !folder && !concealed
                                               : !concealed;
    if (reported) *name = Text(LastName(e->path).c_str());
    return Err();
}

Err FakePlatform::makeFolder(const Text& path)
{
    std::string p = Str(path);
    log.push_back("mkdir " + p);
    PLUMWICK_TRY(fault(Op::MakeFolder, p));
    if (exists(p)) return Err(kErrPathFileAccess, path);
    PLUMWICK_TRY(writable(p));
    addFolder(p);
    return Err();
}

// A copy that fails after it started leaves part of the file behind, as a
// full disk would.
Err FakePlatform::copyFile(const Text& from, const Text& to)
{
    std::string f = Str(from), t = Str(to);
    log.push_back("copy " + f + " > " + t);
    const Entry* source = find(f);
    Err failed = fault(Op::CopyFile, t, f);
    if (!source || (source->attrs & kFolder)) return failed ? failed : Err(kErrFileNotFound, from);
    PLUMWICK_TRY(writable(t));
    Entry* target = find(t);
    if (target && (target->attrs & (kFolder | kReadOnly | kHidden | kSystem)))
        return Err(kErrPathFileAccess, to);
    std::string content = source->bytes;
    if (failed) content = content.substr(0, content.size() / 2);
    std::string stored = target ? target->path : t;
    addFile(stored, content);
    return failed;
}

Err FakePlatform::moveFile(const Text& from, const Text& to)
{
    std::string f = Str(from), t = Str(to);
    log.push_back("move " + f + " > " + t);
    PLUMWICK_TRY(fault(Op::MoveFile, f, t));
    const Entry* source = find(f);
    if (!source) return Err(kErrFileNotFound, from);
    if (exists(t)) return Err(kErrFileExists, to);
    PLUMWICK_TRY(writable(t));
    PLUMWICK_TRY(writable(f));
    Entry moved = *source;
    remove(f);
    moved.path = t;
    entries_[Fold(t)] = moved;
    return Err();
}

Err FakePlatform::deleteFile(const Text& path)
{
    std::string p = Str(path);
    log.push_back("delete " + p);
    PLUMWICK_TRY(fault(Op::DeleteFile, p));
    const Entry* e = find(p);
    if (!e || (e->attrs & kFolder)) return Err(kErrFileNotFound, path);
    if (e->attrs & kReadOnly) return Err(kErrPathFileAccess, path);
    PLUMWICK_TRY(writable(p));
    remove(p);
    return Err();
}

Err FakePlatform::clearAttributes(const Text& path)
{
    std::string p = Str(path);
    log.push_back("attrib " + p);
    PLUMWICK_TRY(fault(Op::ClearAttributes, p));
    Entry* e = find(p);
    if (!e) return Err(kErrFileNotFound, path);
    PLUMWICK_TRY(writable(p));
    e->attrs &= kFolder;
    return Err();
}

Err FakePlatform::checkReadable(const Text& path)
{
    std::string p = Str(path);
    PLUMWICK_TRY(fault(Op::CheckReadable, p));
    const Entry* e = find(p);
    if (!e || (e->attrs & kFolder)) return Err(kErrFileNotFound, path);
    return Err();
}

bool FakePlatform::samePath(const Text& a, const Text& b) { return Fold(Str(a)) == Fold(Str(b)); }

void FakePlatform::getWindowsDirectory(char* buffer, uint32_t size)
{
    if (!writesWindowsDir) return;
    for (uint32_t i = 0; i < size && i <= windowsDirBytes.size(); ++i)
        buffer[i] = i < windowsDirBytes.size() ? windowsDirBytes[i] : '\0';
}

void FakePlatform::endNow()
{
    ended = true;
    throw FakeEnded{};
}

bool FakePlatform::readProfileString(const Text& section, const Text& key, const Text& file, Text* value)
{
    const Entry* e = find(Str(file));
    if (!e) return false;
    std::string content = e->bytes, line, current;
    size_t at = 0;
    while (at <= content.size()) {
        size_t end = content.find('\n', at);
        line = Trim(content.substr(at, end == std::string::npos ? std::string::npos : end - at));
        at = end == std::string::npos ? content.size() + 1 : end + 1;
        if (!line.empty() && line[0] == '[') {
            current = Fold(line.substr(1, line.find(']') - 1));
            continue;
        }
        size_t eq = line.find('=');
        if (current == Fold(Str(section)) && eq != std::string::npos &&
            Fold(Trim(line.substr(0, eq))) == Fold(Str(key))) {
            *value = Text(Trim(line.substr(eq + 1)).c_str());
            return true;
        }
    }
    return false;
}

// Keeps the file's other lines; a folder that cannot be written is ignored,
// as the real call's answer is.
void FakePlatform::writeProfileString(const Text& section, const Text& key, const Text& value, const Text& file)
{
    std::string path = Str(file);
    if (writable(path)) return;
    std::string content = bytes(path), out, current, line;
    std::string keyLine = Str(key) + "=" + Str(value) + "\r\n";
    bool done = false, inSection = false;
    size_t at = 0;
    while (at < content.size()) {
        size_t end = content.find('\n', at);
        std::string raw = content.substr(at, end == std::string::npos ? std::string::npos : end - at + 1);
        at = end == std::string::npos ? content.size() : end + 1;
        line = Trim(raw);
        if (!line.empty() && line[0] == '[') {
            if (inSection && !done) {
                out += keyLine;
                done = true;
            }
            inSection = Fold(line.substr(1, line.find(']') - 1)) == Fold(Str(section));
        } else if (inSection && !done && line.find('=') != std::string::npos &&
                   Fold(Trim(line.substr(0, line.find('=')))) == Fold(Str(key))) {
            out += keyLine;
            done = true;
            continue;
        }
        out += raw;
    }
    if (!done) {
        if (!inSection) out += "[" + Str(section) + "]\r\n";
        out += keyLine;
    }
    addFile(path, out);
}

FakePlatform::Form* FakePlatform::live(FormHandle form)
{
    if (form < 0 || static_cast<size_t>(form) >= forms.size() || !forms[form].loaded) return nullptr;
    return &forms[form];
}

Err FakePlatform::loadForm(const FormDef& def, FormEvents* events, FormHandle* form)
{
    Form f;
    f.def = &def;
    f.events = events;
    f.loaded = true;
    for (int i = 0; i < def.count; ++i) {
        const ControlDef& d = def.controls[i];
        Control c;
        c.caption = d.text;
        // ::kHidden is the control flag; plain kHidden here would be Attr::kHidden.
        c.visible = !(d.flags & ::kHidden) && d.kind != ControlKind::FileDialog;
        c.rect = TwipsToPixels(d.left, d.top, d.width, d.height, screenInfo);
        f.controls.push_back(c);
    }
    PixelRect client = TwipsToPixels(0, 0, def.clientWidth, def.clientHeight, screenInfo);
    f.outer = {10, 10, client.width + frameWidth, client.height + frameHeight};
    f.loadedOuter = f.outer;
    forms.push_back(f);
    *form = static_cast<FormHandle>(forms.size() - 1);
    events->Load();
    return Err();
}

Err FakePlatform::showForm(FormHandle form, bool modal)
{
    Form* f = live(form);
    if (!f) return Err(kErrInvalidCall);
    f->shown = true;
    f->modal = modal;
    if (!modal) return Err();
    if (whileModal) whileModal(form);
    return live(form) ? unloadForm(form) : Err();
}

Err FakePlatform::unloadForm(FormHandle form)
{
    Form* f = live(form);
    if (!f) return Err(kErrInvalidCall);
    f->events->Unload();
    forms[form].loaded = false;
    forms[form].shown = false;
    return Err();
}

Err FakePlatform::formRect(FormHandle form, PixelRect* outer)
{
    Form* f = live(form);
    if (!f) return Err(kErrInvalidCall);
    *outer = f->outer;
    return Err();
}

Err FakePlatform::moveForm(FormHandle form, const PixelRect& outer)
{
    Form* f = live(form);
    if (!f) return Err(kErrInvalidCall);
    f->outer = outer;
    return Err();
}

Err FakePlatform::setCaption(FormHandle form, int index, const Text& text)
{
    PLUMWICK_TRY(fault(Op::SetCaption, Str(text)));
    Form* f = live(form);
    if (!f) return Err(kErrInvalidCall);
    Control& c = f->controls.at(index);
    if (c.caption == Str(text)) return Err();
    c.caption = Str(text);
    if (f->def->controls[index].flags & kAutoSize) {
        c.rect.width = static_cast<int32_t>(c.caption.size()) * 6;
        c.rect.height = 12;
    }
    f->events->Change(index);
    return Err();
}

Err FakePlatform::caption(FormHandle form, int index, Text* text)
{
    PLUMWICK_TRY(fault(Op::Caption, ""));
    Form* f = live(form);
    if (!f) return Err(kErrInvalidCall);
    *text = Text(f->controls.at(index).caption.c_str());
    return Err();
}

Err FakePlatform::setEnabled(FormHandle form, int index, bool enabled)
{
    Form* f = live(form);
    if (!f) return Err(kErrInvalidCall);
    f->controls.at(index).enabled = enabled;
    return Err();
}

Err FakePlatform::isEnabled(FormHandle form, int index, bool* enabled)
{
    Form* f = live(form);
    if (!f) return Err(kErrInvalidCall);
    *enabled = f->controls.at(index).enabled;
    return Err();
}

Err FakePlatform::setFontSize(FormHandle form, int index, int32_t points)
{
    Form* f = live(form);
    if (!f) return Err(kErrInvalidCall);
    PLUMWICK_TRY(controlFault(Op::SetFontSize, *f, index));
    f->controls.at(index).fontPoints = points;
    return Err();
}

Err FakePlatform::moveControl(FormHandle form, int index, int32_t left, int32_t top, int32_t width, int32_t height)
{
    Form* f = live(form);
    if (!f) return Err(kErrInvalidCall);
    PLUMWICK_TRY(controlFault(Op::MoveControl, *f, index));
    PixelRect& r = f->controls.at(index).rect;
    r.left = left;
    r.top = top;
    if (width != kUnchanged) r.width = width;
    if (height != kUnchanged) r.height = height;
    return Err();
}

Err FakePlatform::loadPicture(FormHandle form, int index, const Text& path)
{
    Form* f = live(form);
    if (!f) return Err(kErrInvalidCall);
    Picture& held = f->controls.at(index).picture;
    held = Picture();
    if (path.empty()) return Err();
    std::string p = Str(path);
    PLUMWICK_TRY(fault(Op::LoadPicture, p));
    const Entry* e = find(p);
    if (!e || (e->attrs & kFolder)) return Err(exists(Parent(p)) ? kErrFileNotFound : kErrPathNotFound, path);
    BitmapLayout layout;
    auto data = reinterpret_cast<const uint8_t*>(e->bytes.data());
    if (!CheckBitmapFile(data, static_cast<uint32_t>(e->bytes.size()), &layout)) return Err(kErrInvalidPicture, path);
    held = Decode(e->bytes, layout);
    return Err();
}

Err FakePlatform::pictureSize(FormHandle form, int index, int32_t* width, int32_t* height)
{
    Form* f = live(form);
    if (!f) return Err(kErrInvalidCall);
    *width = f->controls.at(index).picture.width;
    *height = f->controls.at(index).picture.height;
    return Err();
}

Err FakePlatform::readPictureRows(FormHandle form, int index, int32_t firstRow, int32_t rows, uint8_t* bgr)
{
    Form* f = live(form);
    if (!f) return Err(kErrInvalidCall);
    const Picture& p = f->controls.at(index).picture;
    if (firstRow < 0 || firstRow + rows > p.height) return Err(kErrInvalidCall);
    std::copy_n(p.bgr.begin() + static_cast<size_t>(firstRow) * p.width * 3, static_cast<size_t>(rows) * p.width * 3, bgr);
    return Err();
}

Err FakePlatform::drawPicture(FormHandle form, int index, const uint8_t* bgr, int32_t width, int32_t height)
{
    Form* f = live(form);
    if (!f) return Err(kErrInvalidCall);
    Control& c = f->controls.at(index);
    c.drawn.width = width;
    c.drawn.height = height;
    c.drawn.bgr.assign(bgr, bgr + static_cast<size_t>(width) * height * 3);
    ++c.drawCount;
    return Err();
}

Answer FakePlatform::messageBox(const Text& text, Buttons buttons, Icon icon, const Text& title)
{
    boxes.push_back({Str(text), buttons, icon, Str(title)});
    if (onMessageBox) onMessageBox(boxes.back());
    if (!answers.empty()) {
        Answer a = answers.front();
        answers.erase(answers.begin());
        return a;
    }
    return buttons == Buttons::YesNo ? Answer::Yes : Answer::Ok;
}

Err FakePlatform::showOpen(CommonDialog& dialog)
{
    dialogs.push_back(dialog);
    std::string choice;
    if (!fileChoices.empty()) {
        choice = fileChoices.front();
        fileChoices.erase(fileChoices.begin());
    }
    if (choice.empty()) return dialog.CancelError ? Err(kErrCancelled) : Err();
    dialog.FileName = Text(choice.c_str());
    return Err();
}

std::string MakeBitmap(int32_t width, int32_t height, const std::function<uint32_t(int32_t, int32_t)>& pixel)
{
    int32_t stride = (width * 3 + 3) / 4 * 4;
    uint32_t size = 54 + static_cast<uint32_t>(stride * height);
    std::string f(size, '\0');
    auto put = [&](size_t at, uint32_t v, int n) {
        for (int i = 0; i < n; ++i) f[at + i] = static_cast<char>(v >> (8 * i));
    };
    f[0] = 'B';
    f[1] = 'M';
    put(2, size, 4);
    put(10, 54, 4);
    put(14, 40, 4);
    put(18, static_cast<uint32_t>(width), 4);
    put(22, static_cast<uint32_t>(height), 4);
    put(26, 1, 2);
    put(28, 24, 2);
    for (int32_t y = 0; y < height; ++y)
        for (int32_t x = 0; x < width; ++x) {
            uint32_t rgb = pixel(x, y);
            size_t at = 54 + static_cast<size_t>(stride) * (height - 1 - y) + x * 3;
            put(at, rgb, 3);  // 0xRRGGBB little-endian: blue, green, red
        }
    return f;
}
