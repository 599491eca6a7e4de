#include "framework/Exceptions.h"
#include "framework/Text.h"

#include <windows.h>

EError::EError(std::wstring message) : FMessage(std::move(message)), FNarrow(WideToUtf8(FMessage)) {}

std::wstring SystemErrorMessage(unsigned long errorCode)
{
    wchar_t* buffer = nullptr;
    DWORD n = FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                             nullptr, errorCode, 0, reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
    std::wstring text = n ? std::wstring(buffer, n) : L"Error " + std::to_wstring(errorCode);
    if (buffer)
        LocalFree(buffer);
    while (!text.empty() && (text.back() == L'\n' || text.back() == L'\r' || text.back() == L' '))
        text.pop_back();
    return text;
}

void RaiseLastOSError(const std::wstring& what)
{
    DWORD code = GetLastError();
    throw EOSError(what + L": " + SystemErrorMessage(code), code);
}

std::wstring CurrentExceptionMessage()
{
    try {
        throw;
    } catch (const EError& e) {
        return e.Message();
    } catch (const std::exception& e) {
        return Utf8ToWide(e.what());
    } catch (...) {
        return L"Unknown error";
    }
}
