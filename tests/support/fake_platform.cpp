#include "fake_platform.h"

#include <algorithm>

#include "text/units.h"

namespace {
std::string Parent(const std::string& path)
{
    size_t at = path.rfind('\\');
    return at == std::string::npos ? "" : path.substr(0, at == 2 ? 3 : at);
}
}

std::string FakePlatform::Fold(std::string path)
{
    for (char& c : path)
        if (c >= 'A' && c <= 'Z') c = char(c - 'A' + 'a');
    return path;
}

// Every failable call counts once; a rule matches either path it is given.
Err FakePlatform::fault(Op op, const std::string& path, const std::string& other)
{
    if (++calls == failAt_) return injected = true, Err(failNumber_, path.c_str());
    for (const Rule& r : rules_)
        for (const std::string* p : {&path, &other})
            if (r.op == op && !p->empty() && Fold(*p).find(Fold(r.where)) != std::string::npos) return Err(r.number, p->c_str());
    return Err();
}

Err FakePlatform::writable(const std::string& path) const
{
    const Entry* parent = entry(Parent(path));
    if (!parent || !(parent->attrs & kFolder)) return Err(kErrPathNotFound, path.c_str());
    return parent->attrs & kReadOnly ? Err(kErrPathFileAccess, path.c_str()) : Err();
}

Err FakePlatform::findFile(const Text& path, FileQuery kind, Text* name)
{
    *name = Text();
    PLUMWICK_TRY(fault(Op::Other, Str(path)));
    const Entry* e = entry(Str(path));
    if (!e || e->path.size() == 3) return Err();  // a drive's root is never reported
    bool folder = e->attrs & kFolder, concealed = e->attrs & (kHidden | kSystem);
    if (kind == FileQuery::AnyFile ? !folder : !concealed) *name = e->path.substr(e->path.rfind('\\') + 1).c_str();
    return Err();
}

Err FakePlatform::makeFolder(const Text& path)
{
    PLUMWICK_TRY(fault(Op::Other, Str(path)));
    if (exists(Str(path))) return Err(kErrPathFileAccess, path);
    PLUMWICK_TRY(writable(Str(path)));
    addFolder(Str(path));
    return Err();
}

// A copy that fails after it started leaves half the file behind.
Err FakePlatform::copyFile(const Text& from, const Text& to)
{
    const Entry *source = entry(Str(from)), *target = entry(Str(to));
    Err failed = fault(Op::CopyFile, Str(to), Str(from));
    if (!isFile(from)) return failed ? failed : Err(kErrFileNotFound, from);
    PLUMWICK_TRY(writable(Str(to)));
    if (target && target->attrs & (kFolder | kReadOnly | kHidden | kSystem)) return Err(kErrPathFileAccess, to);
    addFile(target ? target->path : Str(to), source->bytes.substr(0, failed ? source->bytes.size() / 2 : std::string::npos));
    return failed;
}

// A folder takes what it holds along.
Err FakePlatform::moveFile(const Text& from, const Text& to)
{
    PLUMWICK_TRY(fault(Op::Other, Str(from), Str(to)));
    if (!exists(Str(from))) return Err(kErrFileNotFound, from);
    if (exists(Str(to))) return Err(kErrFileExists, to);
    PLUMWICK_TRY(writable(Str(to)));
    const std::string inside = Fold(Str(from)) + "\\";
    std::map<std::string, Entry> kept;
    for (const auto& [folded, e] : files)
        if (folded == Fold(Str(from)) || folded.compare(0, inside.size(), inside) == 0) kept[Str(to) + e.path.substr(Str(from).size())] = e;
    for (const auto& [path, e] : kept) remove(e.path), addFile(path, e.bytes, e.attrs);
    return Err();
}

Err FakePlatform::removeFolder(const Text& path)
{
    PLUMWICK_TRY(fault(Op::Other, Str(path)));
    const Entry* e = entry(Str(path));
    if (!e || !(e->attrs & kFolder)) return Err(kErrPathNotFound, path);
    for (const auto& [folded, other] : files)
        if (Parent(folded) == Fold(Str(path))) return Err(kErrPathFileAccess, path);
    remove(Str(path));
    return Err();
}

Err FakePlatform::deleteFile(const Text& path)
{
    PLUMWICK_TRY(fault(Op::Other, Str(path)));
    if (!isFile(path)) return Err(kErrFileNotFound, path);
    if (entry(Str(path))->attrs & kReadOnly) return Err(kErrPathFileAccess, path);
    remove(Str(path));
    return Err();
}

Err FakePlatform::attributes(const Text& path, uint32_t* bits)
{
    PLUMWICK_TRY(fault(Op::Other, Str(path)));
    if (!exists(Str(path))) return Err(kErrFileNotFound, path);
    *bits = entry(Str(path))->attrs & ~unsigned(kFolder);
    return Err();
}

Err FakePlatform::setAttributes(const Text& path, uint32_t bits)
{
    PLUMWICK_TRY(fault(Op::Other, Str(path)));
    if (!exists(Str(path))) return Err(kErrFileNotFound, path);
    Entry& e = files[Fold(Str(path))];
    e.attrs = (e.attrs & kFolder) | bits;
    return Err();
}

Err FakePlatform::checkReadable(const Text& path)
{
    PLUMWICK_TRY(fault(Op::CheckReadable, Str(path)));
    return isFile(path) ? Err() : Err(kErrFileNotFound, path);
}

// As the system answers: a missing folder is another error than a missing file.
Err FakePlatform::readFile(const Text& path, uint32_t maxSize, uint8_t** data, uint32_t* size)
{
    PLUMWICK_TRY(fault(Op::ReadFile, Str(path)));
    if (!isFile(path)) return Err(exists(Parent(Str(path))) ? kErrFileNotFound : kErrPathNotFound, path);
    const std::string& b = entry(Str(path))->bytes;
    if (b.size() > maxSize) return Err(kErrInvalidPicture, path);
    *data = new uint8_t[b.size() + 1], *size = uint32_t(b.size());
    std::copy(b.begin(), b.end(), *data);
    return Err();
}

namespace {
// The bytes as they were when opened, as an open file keeps them.
class FakeFile final : public ByteSource {
public:
    explicit FakeFile(std::string bytes) : bytes_(std::move(bytes)), in_(reinterpret_cast<const uint8_t*>(bytes_.data()), uint32_t(bytes_.size())) {}
    uint32_t size() const override { return in_.size(); }
    Err read(uint32_t offset, uint8_t* into, uint32_t count, uint32_t* got) override { return in_.read(offset, into, count, got); }

private:
    std::string bytes_;
    MemorySource in_;
};
}

Err FakePlatform::openFile(const Text& path, ByteSource** file)
{
    PLUMWICK_TRY(fault(Op::ReadFile, Str(path)));
    if (!isFile(path)) return Err(exists(Parent(Str(path))) ? kErrFileNotFound : kErrPathNotFound, path);
    *file = new FakeFile(entry(Str(path))->bytes);
    return Err();
}

Err FakePlatform::writeNewFile(const Text& path, const uint8_t* data, uint32_t size)
{
    PLUMWICK_TRY(fault(Op::CopyFile, Str(path)));
    if (exists(Str(path))) return Err(kErrFileExists, path);
    PLUMWICK_TRY(writable(Str(path)));
    addFile(Str(path), std::string(data, data + size));
    if (busy) writtenBusy.push_back(Str(path));
    return Err();
}

Text FakePlatform::fileTitle(const Text& path)
{
    std::string name = Str(path).substr(Str(path).rfind('\\') + 1);
    return name.substr(0, name.rfind('.') == 0 ? name.size() : name.rfind('.')).c_str();
}

Text FakePlatform::fullPath(const Text& path)
{
    const std::string given = Str(path);
    return (given.size() > 1 && given[1] == ':' ? given : currentFolder + "\\" + given).c_str();
}

Err FakePlatform::listFiles(const Text& folder, FileNames& names)
{
    PLUMWICK_TRY(fault(Op::Other, Str(folder)));
    std::vector<std::string> found;  // told once all are found: the folder may change meanwhile
    for (const auto& [folded, e] : files)
        if (Parent(folded) == Fold(Str(folder)) && !(e.attrs & kFolder)) found.push_back(e.path.substr(e.path.rfind('\\') + 1));
    for (const std::string& name : found) names.found(name.c_str());
    return Err();
}

bool FakePlatform::readProfileString(const Text& section, const Text& key, const Text& file, Text* value)
{
    auto it = profile.find(Fold(Str(file) + "|" + Str(section) + "|" + Str(key)));
    if (it != profile.end()) *value = it->second.c_str();
    return it != profile.end();
}

// A folder that cannot be written is ignored, as the real call's answer is.
void FakePlatform::writeProfileString(const Text& section, const Text& key, const Text& value, const Text& file)
{
    if (!writable(Str(file))) profile[Fold(Str(file) + "|" + Str(section) + "|" + Str(key))] = Str(value);
}

// The frame adds 6 x 25 pixels to the client area.
Err FakePlatform::loadForm(const FormDef& def, FormEvents* events, FormHandle* form)
{
    if (Err e = fault(Op::Other, def.name)) return Err(e.number());
    PixelRect client = TwipsToPixels(0, 0, def.clientWidth, def.clientHeight, screenInfo);
    Form f{&def, events, {}, {10, 10, client.width + 6, client.height + 25}};
    for (int i = 0; i < def.count; ++i) {
        const ControlDef& d = def.controls[i];
        f.controls[d.id] = {TextOf(d.text), true, TwipsToPixels(d.left, d.top, d.width, d.height, screenInfo), {}, 0};
    }
    forms.push_back(f);
    *form = FormHandle(forms.size() - 1);
    events->Load(*form);
    return Err();
}

// A modal form is up while whileModal runs, then closed.
Err FakePlatform::showForm(FormHandle f, bool modal)
{
    PLUMWICK_TRY(Live(f, [&] { forms[f].shown = true, forms[f].modal = modal; }));
    if (modal && whileModal) whileModal(f);
    return modal && forms[f].loaded ? unloadForm(f) : Err();
}

Err FakePlatform::unloadForm(FormHandle f)
{
    PLUMWICK_TRY(Live(f, [&] { forms[f].events->Unload(); }));
    forms[f].loaded = forms[f].shown = false;
    return Err();
}

Err FakePlatform::setCaption(FormHandle f, int id, const Text& text)
{
    PLUMWICK_TRY(fault(Op::SetCaption, Str(text)));
    return Live(f, [&] { control(f, id).caption = Str(text); });
}

Err FakePlatform::moveControl(FormHandle f, int id, int32_t left, int32_t top, int32_t width, int32_t height)
{
    return Live(f, [&] {
        PixelRect& at = control(f, id).place;
        at = {left, top, width == kUnchanged ? at.width : width, height == kUnchanged ? at.height : height};
    });
}

Err FakePlatform::drawPicture(FormHandle f, int id, const uint8_t* bgr, int32_t w, int32_t h)
{
    return Live(f, [&] { control(f, id).drawn = {w, h, std::vector<uint8_t>(bgr, bgr + size_t(w) * h * 3)}, ++control(f, id).draws; });
}

Err FakePlatform::resource(uint16_t id, const uint8_t** data, uint32_t* size)
{
    auto it = resources.find(id);
    if (it == resources.end()) return Err(kErrInvalidPicture);
    *data = reinterpret_cast<const uint8_t*>(it->second.data()), *size = uint32_t(it->second.size());
    return Err();
}

Answer FakePlatform::messageBox(const Text& text, Buttons buttons, Icon icon, const Text& title)
{
    boxes.push_back({Str(text), buttons, icon, Str(title)});
    if (onMessageBox) onMessageBox();
    Answer a = answers.empty() ? (buttons == Buttons::Ok ? Answer::Ok : buttons == Buttons::YesNo ? Answer::Yes : Answer::No) : answers.front();
    if (!answers.empty()) answers.erase(answers.begin());
    return a;
}

Err FakePlatform::showOpen(OpenFileRequest& request)
{
    requests.push_back(request);
    std::string choice = fileChoices.empty() ? "" : fileChoices.front();
    if (!fileChoices.empty()) fileChoices.erase(fileChoices.begin());
    if (choice.empty()) return Err(kErrCancelled);
    request.chosen = choice.c_str();
    return Err();
}
