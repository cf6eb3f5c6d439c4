#include "logo_files/random_logos.h"

#include "logo_files/slots.h"
#include "picture/make_logo.h"

namespace {
const char* const kFolders[kSlotCount] = {"\\Random\\LOGO", "\\Random\\LOGOW", "\\Random\\LOGOS"};
// A logo is exactly kLogoFileSize bytes; a file past twice that is none,
// and is not read.
constexpr uint32_t kLargestCandidate = 2 * kLogoFileSize;

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

bool SameBytes(const uint8_t* a, uint32_t aSize, const uint8_t* b, uint32_t bSize)
{
    if (aSize != bSize) return false;
    for (uint32_t i = 0; i < aSize; ++i)
        if (a[i] != b[i]) return false;
    return true;
}

// Each file is read and checked as it is found; the pick is kept by
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
        uint8_t* data = nullptr;
        uint32_t size = 0;
        const Text path = folder_ + "\\" + name;
        if (fs_.readFile(path, kLargestCandidate, &data, &size)) return;  // unreadable: no candidate
        MemorySource file(data, size);
        if (IsLogoShaped(file)) {
            const bool isLive = live_ && SameBytes(data, size, live_, liveSize_);
            if (!isLive && random_.below(++candidates_) == 0) pick_ = path;
        }
        delete[] data;
    }
    const Text& pick() const { return pick_; }

private:
    FileSystem& fs_;
    const Text folder_;
    const uint8_t* live_;
    uint32_t liveSize_;
    Random& random_;
    uint32_t candidates_ = 0;
    Text pick_;
};
}

Text RandomFolder(Machine& m, LogoSlot slot) { return m.ToolFolder + kFolders[slot]; }

Err PickRandomLogos(Machine& m, uint32_t seed, Text picks[kSlotCount])
{
    FileSystem& fs = m.files;
    Random random(seed);
    for (LogoSlot slot = 0; slot < kSlotCount; ++slot) {
        uint8_t* live = nullptr;
        uint32_t liveSize = 0;
        (void)fs.readFile(LivePath(m, slot), kLargestCandidate, &live, &liveSize);  // none: any logo is a change
        Picker picker(fs, RandomFolder(m, slot), live, liveSize, random);
        Err listed = fs.listFiles(RandomFolder(m, slot), picker);
        delete[] live;
        PLUMWICK_TRY(listed);
        picks[slot] = picker.pick();
    }
    return Err();
}
