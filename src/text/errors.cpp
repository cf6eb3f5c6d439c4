#include "text/errors.h"

#include "text/messages.h"

namespace {
struct Description {
    int number;
    TextId text;
};

const Description kDescriptions[] = {
    {kErrInvalidCall, kTxtErrInvalidCall},
    {kErrOverflow, kTxtErrOverflow},
    {kErrOutOfMemory, kTxtErrOutOfMemory},
    {kErrBadFileName, kTxtErrBadFileName},
    {kErrFileNotFound, kTxtErrFileNotFound},
    {kErrDeviceIO, kTxtErrDeviceIO},
    {kErrFileExists, kTxtErrFileExists},
    {kErrDiskFull, kTxtErrDiskFull},
    {kErrPermissionDenied, kTxtErrPermissionDenied},
    {kErrDiskNotReady, kTxtErrDiskNotReady},
    {kErrPathFileAccess, kTxtErrPathFileAccess},
    {kErrPathNotFound, kTxtErrPathNotFound},
    {kErrCannotCreateObject, kTxtErrCannotCreateObject},
    {kErrInvalidPicture, kTxtErrInvalidPicture},
    {kErrCancelled, kTxtErrCancelled},
};
}

const char* ErrorDescription(int number)
{
    for (const Description& d : kDescriptions)
        if (d.number == number) return TextOf(d.text);
    return TextOf(kTxtErrOther);
}

// The path goes on a line of its own, so the user sees which file it was.
Text Err::description() const
{
    Text text(ErrorDescription(number_));
    if (!path_.empty()) text += Text("\r\n") + path_;
    return text;
}

bool IsFileError(const Err& e)
{
    switch (e.number()) {
    case kErrFileNotFound:
    case kErrPathFileAccess:
    case kErrPathNotFound:
    case kErrInvalidPicture: return true;
    default: return false;
    }
}
