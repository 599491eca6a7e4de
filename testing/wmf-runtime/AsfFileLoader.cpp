#include "AsfFileLoader.h"

#include <nserror.h>

namespace {

using namespace kivora::asf;

class TFileHandle {
public:
    explicit TFileHandle(HANDLE handle) : FHandle(handle) {}
    ~TFileHandle()
    {
        if (FHandle != INVALID_HANDLE_VALUE)
            CloseHandle(FHandle);
    }
    TFileHandle(const TFileHandle&) = delete;
    TFileHandle& operator=(const TFileHandle&) = delete;
    HANDLE Get() const { return FHandle; }

private:
    HANDLE FHandle;
};

// The file through positioned reads.
class TFileSource : public TAsfSource {
public:
    explicit TFileSource(HANDLE file) : FFile(file) {}
    uint64_t Size() override
    {
        LARGE_INTEGER size{};
        return GetFileSizeEx(FFile, &size) ? static_cast<uint64_t>(size.QuadPart) : 0;
    }
    bool Read(uint64_t offset, void* buffer, size_t size) override
    {
        auto* bytes = static_cast<BYTE*>(buffer);
        while (size > 0) {
            OVERLAPPED at{};
            at.Offset = static_cast<DWORD>(offset);
            at.OffsetHigh = static_cast<DWORD>(offset >> 32);
            DWORD chunk = size > 0x10000000 ? 0x10000000 : static_cast<DWORD>(size);
            DWORD got = 0;
            if (!ReadFile(FFile, bytes, chunk, &got, &at) || got == 0)
                return false;
            bytes += got;
            offset += got;
            size -= got;
        }
        return true;
    }

private:
    HANDLE FFile;
};

} // namespace

HRESULT LoadAsfFile(const wchar_t* path, TAsfFileInfo& info)
{
    if (!path)
        return E_INVALIDARG;
    TFileHandle file(CreateFileW(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                                 FILE_ATTRIBUTE_NORMAL, nullptr));
    if (file.Get() == INVALID_HANDLE_VALUE) {
        DWORD error = GetLastError();
        return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND ? NS_E_FILE_NOT_FOUND
                                                                              : HRESULT_FROM_WIN32(error);
    }
    TFileSource source(file.Get());
    switch (ReadAsfFile(source, info)) {
    case asfOk:
        return S_OK;
    case asfNotAsf:
        return NS_E_INVALID_INPUT_FORMAT;
    case asfReadError:
        return HRESULT_FROM_WIN32(ERROR_READ_FAULT);
    default:
        return NS_E_INVALID_DATA;
    }
}
