#include "errors.h"

namespace {
struct Description {
    int number;
    const char* text;
};

const Description kDescriptions[] = {
    {kErrInvalidCall, "プロシージャの呼び出し、または引数が不正です。"},
    {kErrOverflow, "オーバーフローしました。"},
    {kErrOutOfMemory, "メモリが不足しています。"},
    {kErrBadFileName, "ファイル名または番号が不正です。"},
    {kErrFileNotFound, "ファイルが見つかりません。"},
    {kErrDeviceIO, "デバイス I/O エラーです。"},
    {kErrFileExists, "既に同名のファイルが存在しています。"},
    {kErrDiskFull, "ディスクの空き容量が不足しています。"},
    {kErrPermissionDenied, "書き込みできません。"},
    {kErrDiskNotReady, "ディスクが準備されていません。"},
    {kErrPathFileAccess, "パス名が無効です。"},
    {kErrPathNotFound, "パスが見つかりません。"},
    {kErrCannotCreateObject, "ActiveX コンポーネントはオブジェクトを作成できません。"},
    {kErrInvalidPicture, "ピクチャが不正です。"},
    {kErrCancelled, "[キャンセル] が選択されました。"},
};
}

const char* ErrorDescription(int number)
{
    for (const Description& d : kDescriptions)
        if (d.number == number) return d.text;
    return "アプリケーション定義またはオブジェクト定義のエラーです。";
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
    case kErrInvalidPicture:
        return true;
    default:
        return false;
    }
}
