#include "app/OutputFiles.h"

#include "framework/Handles.h"

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

std::wstring FileErrorReason(unsigned long error)
{
    static const struct {
        unsigned long Error;
        const wchar_t* Reason;
    } kReasons[] = {
        {ERROR_FILE_NOT_FOUND, L"文件夹不存在"},    {ERROR_PATH_NOT_FOUND, L"文件夹不存在"},
        {ERROR_INVALID_DRIVE, L"文件夹不存在"},     {ERROR_BAD_NETPATH, L"文件夹不存在"},
        {ERROR_ACCESS_DENIED, L"没有写入权限"},     {ERROR_WRITE_PROTECT, L"没有写入权限"},
        {ERROR_DISK_FULL, L"磁盘已满"},             {ERROR_HANDLE_DISK_FULL, L"磁盘已满"},
        {ERROR_FILENAME_EXCED_RANGE, L"路径太长"},  {ERROR_INVALID_NAME, L"文件名无效"},
    };
    for (const auto& r : kReasons)
        if (r.Error == error)
            return r.Reason;
    return SystemErrorMessage(error);
}

std::wstring OutputFileErrorText(const std::wstring& fileName, unsigned long error)
{
    return L"无法保存文件 " + fileName + L"：" + FileErrorReason(error) + L"。";
}

namespace {

// name + "_<n>" before the extension.
std::wstring Numbered(const std::wstring& name, int n)
{
    const size_t dot = name.rfind(L'.');
    return name.substr(0, dot) + L"_" + std::to_wstring(n) + name.substr(dot);
}

} // namespace

std::wstring CreateOutputFile(const std::wstring& saveDir, TOutputKind kind, const SYSTEMTIME& localTime)
{
    const std::wstring first = MakeFileName(saveDir, kind, localTime);
    // Past a few thousand names in one second something else is wrong; say so rather
    // than loop on.
    constexpr int kMostNames = 9999;
    for (int n = 1; n <= kMostNames; ++n) {
        const std::wstring name = n == 1 ? first : Numbered(first, n);
        // The older file functions take at most MAX_PATH characters with the terminator.
        if (name.size() >= MAX_PATH)
            throw EOutputFileError(OutputFileErrorText(name, ERROR_FILENAME_EXCED_RANGE));
        TKernelHandle file(CreateFileW(name.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL,
                                       nullptr));
        if (file.get() != INVALID_HANDLE_VALUE)
            return name;
        const DWORD error = GetLastError();
        if (error != ERROR_FILE_EXISTS && error != ERROR_ALREADY_EXISTS)
            throw EOutputFileError(OutputFileErrorText(name, error));
    }
    throw EOutputFileError(OutputFileErrorText(first, ERROR_FILE_EXISTS));
}

void WriteOutputFile(const std::wstring& fileName, std::span<const std::uint8_t> bytes)
{
    DWORD error = ERROR_SUCCESS;
    {
        TKernelHandle file(CreateFileW(fileName.c_str(), GENERIC_WRITE, 0, nullptr, TRUNCATE_EXISTING,
                                       FILE_ATTRIBUTE_NORMAL, nullptr));
        if (file.get() == INVALID_HANDLE_VALUE) {
            error = GetLastError();
        } else {
            size_t done = 0;
            while (done < bytes.size() && error == ERROR_SUCCESS) {
                const DWORD chunk = static_cast<DWORD>(std::min<size_t>(bytes.size() - done, 1u << 30));
                DWORD written = 0;
                if (!WriteFile(file.get(), bytes.data() + done, chunk, &written, nullptr) || written == 0)
                    error = GetLastError() != ERROR_SUCCESS ? GetLastError() : ERROR_WRITE_FAULT;
                done += written;
            }
            if (error == ERROR_SUCCESS && !FlushFileBuffers(file.get()))
                error = GetLastError();
        }
    }
    if (error != ERROR_SUCCESS) {
        DeleteFileW(fileName.c_str());
        throw EOutputFileError(OutputFileErrorText(fileName, error));
    }
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
