#pragma once
#include <stddef.h>
#include <stdint.h>

// A byte string in the system's ANSI code page (Shift-JIS on a Japanese
// system). Bytes are never interpreted here except where a name says ASCII.
class Text {
public:
    Text() = default;
    Text(const char* s);
    Text(const char* s, size_t n);
    Text(const Text& other);
    Text(Text&& other) noexcept;
    Text& operator=(const Text& other);
    Text& operator=(Text&& other) noexcept;
    ~Text();

    const char* c_str() const { return data_ ? data_ : ""; }
    size_t size() const { return size_; }
    bool empty() const { return size_ == 0; }
    char operator[](size_t i) const { return data_[i]; }

    Text left(size_t n) const;
    Text& operator+=(const Text& tail);

    static Text number(int32_t value);
    // Only for comparing with a pure ASCII literal: no DBCS byte can match
    // an ASCII letter, so folding ASCII case byte by byte is safe there.
    bool equalsAsciiIgnoringCase(const char* ascii) const;

private:
    void assign(const char* s, size_t n);
    char* data_ = nullptr;
    size_t size_ = 0;
};

Text operator+(const Text& a, const Text& b);
bool operator==(const Text& a, const Text& b);

size_t TextLength(const char* s);
void CopyBytes(void* to, const void* from, size_t n);
