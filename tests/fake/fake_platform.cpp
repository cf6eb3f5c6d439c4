#include "fake_platform.h"

#include "picture/bitmap_check.h"
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
    if (kind == FileQuery::AnyFile ? !folder : !concealed && (kind == FileQuery::Directory || !folder))
        *name = e->path.substr(e->path.rfind('\\') + 1).c_str();
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
    addFile(target ? target->path : Str(to), source->bytes.substr(0, failed ? source->bytes.size() / 2 : -1));
    return failed;
}

// The frame adds 6 x 25 pixels to the client area.
Err FakePlatform::loadForm(const FormDef& def, FormEvents* events, FormHandle* form)
{
    if (Err e = fault(Op::Other, def.name)) return Err(e.number());
    PixelRect client = TwipsToPixels(0, 0, def.clientWidth, def.clientHeight, screenInfo);
    Form f{&def, events, {}, {10, 10, client.width + 6, client.height + 25}};
    for (int i = 0; i < def.count; ++i) f.controls.push_back({TextOf(def.controls[i].text), true, {}, {}, 0});
    forms.push_back(f);
    *form = FormHandle(forms.size() - 1);
    events->Load(*form);
    return Err();
}

// Decodes plain 24-bit pictures; any other valid kind comes out mid-grey.
Err FakePlatform::loadPicture(FormHandle f, int i, const Text& path)
{
    PLUMWICK_TRY(Live(f, [&] { control(f, i).picture = Picture(); }));
    if (path.empty()) return Err();
    PLUMWICK_TRY(fault(Op::LoadPicture, Str(path)));
    if (!isFile(path)) return Err(exists(Parent(Str(path))) ? kErrFileNotFound : kErrPathNotFound, path);
    const std::string& b = entry(Str(path))->bytes;
    BitmapLayout l;
    if (!CheckBitmapFile(reinterpret_cast<const uint8_t*>(b.data()), uint32_t(b.size()), &l)) return Err(kErrInvalidPicture, path);
    Picture& held = control(f, i).picture = {l.width, l.height, std::vector<uint8_t>(size_t(l.width) * l.height * 3, 128)};
    for (int32_t y = 0; l.bitCount == 24 && !l.compression && y < l.height; ++y)
        std::copy_n(&b[l.bitsOffset + RowBytes(l.width, 24) * (l.topDown ? y : l.height - 1 - y)], l.width * 3, &held.bgr[size_t(y) * l.width * 3]);
    return Err();
}

std::string MakeBitmap(int32_t width, int32_t height, const std::function<uint32_t(int32_t, int32_t)>& pixel)
{
    const size_t stride = (width * 3 + 3) / 4 * 4, size = 54 + stride * height;
    std::string f(size, '\0');
    auto put = [&](size_t at, uint32_t v, int n) {
        for (int i = 0; i < n; ++i) f[at + i] = char(v >> 8 * i);
    };
    f[0] = 'B', f[1] = 'M';
    put(2, uint32_t(size), 4), put(10, 54, 4), put(14, 40, 4), put(18, width, 4), put(22, height, 4), put(26, 1, 2), put(28, 24, 2);
    for (int32_t y = 0; y < height; ++y)
        for (int32_t x = 0; x < width; ++x) put(54 + stride * (height - 1 - y) + x * 3, pixel(x, y), 3);
    return f;
}
