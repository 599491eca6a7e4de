#include "framework/Stream.h"

#include <memory>
#include "framework/Exceptions.h"

#include <algorithm>
#include <cstring>

std::int64_t TStream::Size()
{
    std::int64_t position = Seek(0, soCurrent);
    std::int64_t size = Seek(0, soEnd);
    Seek(position, soBeginning);
    return size;
}

void TStream::ReadBuffer(void* buffer, size_t count)
{
    if (count && Read(buffer, count) != count)
        throw EReadError(L"Stream read error");
}

void TStream::WriteBuffer(const void* buffer, size_t count)
{
    if (count && Write(buffer, count) != count)
        throw EWriteError(L"Stream write error");
}

std::vector<std::uint8_t> TStream::ReadToEnd()
{
    std::vector<std::uint8_t> bytes(static_cast<size_t>(std::max<std::int64_t>(0, Remaining())));
    ReadBuffer(bytes.data(), bytes.size());
    return bytes;
}

void TStream::CopyFrom(TStream& source, std::int64_t count)
{
    if (count <= 0)
        count = source.Remaining();
    std::vector<std::uint8_t> buffer(64 * 1024);
    while (count > 0) {
        size_t n = static_cast<size_t>(std::min<std::int64_t>(count, static_cast<std::int64_t>(buffer.size())));
        source.ReadBuffer(buffer.data(), n);
        WriteBuffer(buffer.data(), n);
        count -= static_cast<std::int64_t>(n);
    }
}

size_t TMemoryStream::Read(void* buffer, size_t count)
{
    size_t n = FPosition < FBytes.size() ? std::min(count, FBytes.size() - FPosition) : 0;
    if (n)
        std::memcpy(buffer, FBytes.data() + FPosition, n);
    FPosition += n;
    return n;
}

size_t TMemoryStream::Write(const void* buffer, size_t count)
{
    if (FPosition + count > FBytes.size())
        FBytes.resize(FPosition + count);
    if (count)
        std::memcpy(FBytes.data() + FPosition, buffer, count);
    FPosition += count;
    return count;
}

std::int64_t TMemoryStream::Seek(std::int64_t offset, TSeekOrigin origin)
{
    std::int64_t base = origin == soBeginning ? 0 : origin == soCurrent ? static_cast<std::int64_t>(FPosition)
                                                                         : static_cast<std::int64_t>(FBytes.size());
    FPosition = static_cast<size_t>(std::max<std::int64_t>(0, base + offset));
    return static_cast<std::int64_t>(FPosition);
}

TFileStream::TFileStream(const std::wstring& fileName, TFileMode mode) : FFileName(fileName)
{
    DWORD access = mode == fmOpenRead ? GENERIC_READ : GENERIC_READ | GENERIC_WRITE;
    DWORD disposition = mode == fmCreate ? CREATE_ALWAYS : OPEN_EXISTING;
    HANDLE h = CreateFileW(fileName.c_str(), access, FILE_SHARE_READ, nullptr, disposition, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) {
        DWORD code = GetLastError();
        std::wstring reason = SystemErrorMessage(code);
        if (mode == fmCreate)
            throw EFCreateError(L"Cannot create file \"" + fileName + L"\". " + reason);
        throw EFOpenError(L"Cannot open file \"" + fileName + L"\". " + reason);
    }
    FHandle.reset(h);
}

size_t TFileStream::Read(void* buffer, size_t count)
{
    DWORD n = 0;
    if (!ReadFile(FHandle.get(), buffer, static_cast<DWORD>(count), &n, nullptr))
        return 0;
    return n;
}

size_t TFileStream::Write(const void* buffer, size_t count)
{
    DWORD n = 0;
    if (!WriteFile(FHandle.get(), buffer, static_cast<DWORD>(count), &n, nullptr))
        return 0;
    return n;
}

std::int64_t TFileStream::Seek(std::int64_t offset, TSeekOrigin origin)
{
    LARGE_INTEGER distance, result;
    distance.QuadPart = offset;
    DWORD method = origin == soBeginning ? FILE_BEGIN : origin == soCurrent ? FILE_CURRENT : FILE_END;
    if (!SetFilePointerEx(FHandle.get(), distance, &result, method))
        return -1;
    return result.QuadPart;
}

void SaveFileReplacing(const std::wstring& fileName, const std::function<void(TStream&)>& write)
{
    auto fail = [&](const std::wstring& reason) {
        throw EFCreateError(L"Cannot create file \"" + fileName + L"\". " + reason);
    };
    size_t slash = fileName.find_last_of(L"\\/");
    std::wstring folder = slash == std::wstring::npos ? L"." : fileName.substr(0, slash + 1);
    wchar_t tempName[MAX_PATH + 16];
    if (folder.size() > MAX_PATH - 14 || !GetTempFileNameW(folder.c_str(), L"kiv", 0, tempName))
        fail(SystemErrorMessage(GetLastError()));
    // Every failure names the file the caller asked for, never the temporary one.
    try {
        {
            std::unique_ptr<TFileStream> stream;
            try {
                stream = std::make_unique<TFileStream>(tempName, fmCreate);
            } catch (const EError& e) {
                // Its message is "Cannot create file "<temporary>". <reason>": the reason.
                const size_t quote = e.Message().rfind(L"\". ");
                fail(quote == std::wstring::npos ? e.Message() : e.Message().substr(quote + 3));
            }
            write(*stream);
        }
        if (!MoveFileExW(tempName, fileName.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
            fail(SystemErrorMessage(GetLastError()));
    } catch (const EFCreateError&) {
        DeleteFileW(tempName);
        throw;
    } catch (const EError& e) {
        DeleteFileW(tempName);
        fail(e.Message());
    }
}
