#pragma once
#include "text/text.h"

// The numbered run-time errors the tool tells apart.
enum ErrorNumber : int {
    kErrInvalidCall = 5,
    kErrOverflow = 6,
    kErrOutOfMemory = 7,
    kErrBadFileName = 52,
    kErrFileNotFound = 53,
    kErrDeviceIO = 57,
    kErrFileExists = 58,
    kErrDiskFull = 61,
    kErrPermissionDenied = 70,
    kErrDiskNotReady = 71,
    kErrPathFileAccess = 75,
    kErrPathNotFound = 76,
    kErrCannotCreateObject = 429,  // a part of the system the tool needs is missing
    kErrInvalidPicture = 481,
    kErrCancelled = 32755,
};

// The outcome of a platform call: no error, or a numbered error with the
// path it concerns. Tests true when it is an error.
class Err {
public:
    Err() = default;
    Err(int number, Text path = Text()) : number_(number), path_(static_cast<Text&&>(path)) {}

    explicit operator bool() const { return number_ != 0; }
    int number() const { return number_; }
    const Text& path() const { return path_; }
    Text description() const;

private:
    int number_ = 0;
    Text path_;
};

const char* ErrorDescription(int number);
bool IsFileError(const Err& e);

#define PLUMWICK_TRY(expr)         \
    do {                           \
        Err tried_ = (expr);       \
        if (tried_) return tried_; \
    } while (0)
