#include "logo_files/random_logos.h"

#include "logo_files/logo_copy.h"
#include "logo_files/picture_verdict.h"
#include "logo_files/slots.h"
#include "picture/make_logo.h"

namespace {
const char* const kFolders[kSlotCount] = {"\\Random\\LOGO", "\\Random\\LOGOW", "\\Random\\LOGOS"};
// A picture picked whose logo is the live one is put back and another
// picked, this many times at most.
constexpr int kPicksTried = 3;
constexpr uint32_t kCompareBytes = 4096;

// xorshift32: a few operations a number, and enough for picking a file.
class Random {
public:
    explicit Random(uint32_t seed) : state_(seed ? seed : 0x9E3779B9u) {}
    uint32_t below(uint32_t n)
    {
        state_ ^= state_ << 13;
        state_ ^= state_ >> 17;
        state_ ^= state_ << 5;
        return state_ % n;
    }

private:
    uint32_t state_;
};

bool SameBytes(const uint8_t* a, const uint8_t* b, uint32_t size)
{
    for (uint32_t i = 0; i < size; ++i)
        if (a[i] != b[i]) return false;
    return true;
}

// Whether the file holds exactly the live logo's bytes.
bool IsLive(ByteSource& file, const uint8_t* live, uint32_t liveSize)
{
    if (!live || file.size() != liveSize) return false;
    uint8_t piece[kCompareBytes];
    for (uint32_t at = 0; at < liveSize;) {
        uint32_t got = 0;
        if (file.read(at, piece, kCompareBytes, &got) || !got || !SameBytes(piece, live + at, got)) return false;
        at += got;
    }
    return true;
}

// Each file is judged by its header as it is found: a logo Windows shows
// (not the live one) or a picture to make one of; the pick is kept by
// reservoir sampling, so that any number of files needs no list: the k-th
// candidate replaces the pick with chance 1/k.
class Picker final : public FileNames {
public:
    Picker(FileSystem& fs, const Text& folder, const uint8_t* live, uint32_t liveSize, Random& random)
        : fs_(fs), folder_(folder), live_(live), liveSize_(liveSize), random_(random)
    {
    }
    void found(const Text& name) override
    {
        const Text path = folder_ + "\\" + name;
        ByteSource* file = nullptr;
        if (path == passedOver_ || fs_.openFile(path, &file)) return;  // unreadable: no candidate
        PictureVerdict verdict;
        BitmapLayout layout;
        const bool candidate =
            !ReadPictureVerdict(*file, &verdict, &layout) && !(verdict.logo && IsLive(*file, live_, liveSize_));
        delete file;
        if (candidate && random_.below(++candidates_) == 0) pick_ = path, logo_ = verdict.logo;
    }
    // Lists the folder again for another pick, without `path`.
    Err pickAgainWithout(const Text& path)
    {
        passedOver_ = path;
        candidates_ = 0;
        pick_ = Text();
        return fs_.listFiles(folder_, *this);
    }
    const Text& pick() const { return pick_; }
    bool pickIsLogo() const { return logo_; }
    uint32_t candidates() const { return candidates_; }

private:
    FileSystem& fs_;
    const Text folder_;
    const uint8_t* live_;
    uint32_t liveSize_;
    Random& random_;
    uint32_t candidates_ = 0;
    Text pick_, passedOver_;
    bool logo_ = false;
};

// The slot's pick: a logo as it is, or the logo made of a picture, written
// to MadeRandomLogoPath; a picture whose logo is the live one is passed
// over while there is another candidate, and is no change without one.
Err PickFor(Machine& m, LogoSlot slot, Random& random, const uint8_t* live, uint32_t liveSize, Text* pick)
{
    FileSystem& fs = m.files;
    Picker picker(fs, RandomFolder(m, slot), live, liveSize, random);
    PLUMWICK_TRY(fs.listFiles(RandomFolder(m, slot), picker));
    if (picker.pick().empty() || picker.pickIsLogo()) {
        *pick = picker.pick();
        return Err();
    }
    uint8_t* logo = new uint8_t[kLogoFileSize];
    if (!logo) return Err(kErrOutOfMemory);
    Err failed = MakeLogoOf(fs, picker.pick(), logo);
    auto madeIsLive = [&] { return live && liveSize == kLogoFileSize && SameBytes(logo, live, kLogoFileSize); };
    for (int tried = 1;
         !failed && !picker.pickIsLogo() && madeIsLive() && picker.candidates() > 1 && tried < kPicksTried; ++tried) {
        failed = picker.pickAgainWithout(picker.pick());
        if (!failed && !picker.pickIsLogo()) failed = MakeLogoOf(fs, picker.pick(), logo);
    }
    if (!failed && picker.pickIsLogo()) {
        *pick = picker.pick();
    } else if (!failed && madeIsLive()) {
        *pick = Text();  // nothing else to choose: the logo stays
    } else if (!failed) {
        *pick = MadeRandomLogoPath(m, slot);
        (void)fs.deleteFile(*pick);  // one left by a run that was cut short
        failed = fs.writeNewFile(*pick, logo, kLogoFileSize);
    }
    delete[] logo;
    return failed;
}
}

Text RandomFolder(Machine& m, LogoSlot slot) { return m.ToolFolder + kFolders[slot]; }

Text MadeRandomLogoPath(Machine& m, LogoSlot slot) { return RandomFolder(m, slot) + ".pwm"; }

Err PickRandomLogos(Machine& m, uint32_t seed, Text picks[kSlotCount])
{
    FileSystem& fs = m.files;
    Random random(seed);
    for (LogoSlot slot = 0; slot < kSlotCount; ++slot) {
        uint8_t* live = nullptr;
        uint32_t liveSize = 0;
        (void)fs.readFile(LivePath(m, slot), kLogoFileSize, &live, &liveSize);  // none: any logo is a change
        const Err picked = PickFor(m, slot, random, live, liveSize, &picks[slot]);
        delete[] live;
        PLUMWICK_TRY(picked);
    }
    return Err();
}

void ClearMadeRandomLogos(Machine& m)
{
    for (LogoSlot slot = 0; slot < kSlotCount; ++slot)
        (void)m.files.deleteFile(MadeRandomLogoPath(m, slot));  // none: fine
}
