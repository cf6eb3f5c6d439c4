#include "text/text.h"

size_t TextLength(const char* s)
{
    size_t n = 0;
    while (s[n]) ++n;
    return n;
}

void CopyBytes(void* to, const void* from, size_t n)
{
    auto* d = static_cast<unsigned char*>(to);
    auto* s = static_cast<const unsigned char*>(from);
    for (size_t i = 0; i < n; ++i) d[i] = s[i];
}

Text::Text(const char* s) { assign(s, s ? TextLength(s) : 0); }
Text::Text(const char* s, size_t n) { assign(s, n); }
Text::Text(const Text& other) { assign(other.data_, other.size_); }

Text::Text(Text&& other) noexcept : data_(other.data_), size_(other.size_)
{
    other.data_ = nullptr;
    other.size_ = 0;
}

Text& Text::operator=(const Text& other)
{
    if (this != &other) {
        Text copy(other);
        *this = static_cast<Text&&>(copy);
    }
    return *this;
}

Text& Text::operator=(Text&& other) noexcept
{
    if (this != &other) {
        delete[] data_;
        data_ = other.data_;
        size_ = other.size_;
        other.data_ = nullptr;
        other.size_ = 0;
    }
    return *this;
}

Text::~Text() { delete[] data_; }

// An allocation that fails leaves the text empty rather than crashing.
void Text::assign(const char* s, size_t n)
{
    data_ = nullptr;
    size_ = 0;
    if (n == 0) return;
    data_ = new char[n + 1];
    if (!data_) return;
    CopyBytes(data_, s, n);
    data_[n] = 0;
    size_ = n;
}

Text Text::left(size_t n) const { return Text(data_, n < size_ ? n : size_); }

Text& Text::operator+=(const Text& tail)
{
    if (tail.empty()) return *this;
    char* joined = new char[size_ + tail.size_ + 1];
    if (!joined) return *this;
    CopyBytes(joined, data_, size_);
    CopyBytes(joined + size_, tail.data_, tail.size_);
    joined[size_ + tail.size_] = 0;
    delete[] data_;
    data_ = joined;
    size_ += tail.size_;
    return *this;
}

Text operator+(const Text& a, const Text& b)
{
    Text joined(a);
    joined += b;
    return joined;
}

bool operator==(const Text& a, const Text& b)
{
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (a[i] != b[i]) return false;
    return true;
}

Text Text::number(int32_t value)
{
    char digits[12];
    size_t at = sizeof digits;
    // Work on the negative side so that the most negative value fits.
    int32_t rest = value < 0 ? value : -value;
    do {
        digits[--at] = static_cast<char>('0' - rest % 10);
        rest /= 10;
    } while (rest != 0);
    if (value < 0) digits[--at] = '-';
    return Text(digits + at, sizeof digits - at);
}

static char AsciiLower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

bool Text::equalsAsciiIgnoringCase(const char* ascii) const
{
    size_t n = TextLength(ascii);
    if (n != size_) return false;
    for (size_t i = 0; i < n; ++i)
        if (AsciiLower(data_[i]) != AsciiLower(ascii[i])) return false;
    return true;
}
