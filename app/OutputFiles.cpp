#include "app/OutputFiles.h"

#include <cstdio>
#include <iterator>

std::wstring MakeFileName(const std::wstring& saveDir, TOutputKind kind, const SYSTEMTIME& t)
{
    wchar_t stamp[32];
    std::swprintf(stamp, std::size(stamp), L"%02d%02d%02d_%02d%02d%02d", t.wYear % 100, t.wMonth, t.wDay, t.wHour,
                  t.wMinute, t.wSecond);
    const bool separated = !saveDir.empty() && (saveDir.back() == L'\\' || saveDir.back() == L'/');
    std::wstring name = separated ? saveDir.substr(0, saveDir.size() - 1) : saveDir;
    name += kind == okSnapshot ? L"\\Image" : L"\\Video";
    name += stamp;
    name += kind == okSnapshot ? L".jpg" : L".wmv";
    return name;
}

std::wstring RunningTimeText(const wchar_t* word, long long milliseconds)
{
    // The position is shown as a time of day: whole days drop out.
    const long long ms = milliseconds % 86400000;
    wchar_t text[64];
    std::swprintf(text, std::size(text), L"%ls  %d:%d:%d:%d", word, int(ms / 3600000), int(ms / 60000 % 60),
                  int(ms / 1000 % 60), int(ms % 1000));
    return text;
}
