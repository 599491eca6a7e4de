#include "MediaErrors.h"

#include <errors.h>

#include <cstdio>

std::string ToUtf8(const std::wstring& text)
{
    if (text.empty())
        return {};
    int length = WideCharToMultiByte(CP_UTF8, 0, text.data(), int(text.size()), nullptr, 0, nullptr, nullptr);
    std::string result(size_t(length), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.data(), int(text.size()), result.data(), length, nullptr, nullptr);
    return result;
}

std::wstring FromUtf8(const std::string& text)
{
    if (text.empty())
        return {};
    int length = MultiByteToWideChar(CP_UTF8, 0, text.data(), int(text.size()), nullptr, 0);
    std::wstring result(size_t(length), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, text.data(), int(text.size()), result.data(), length);
    return result;
}

EMediaError::EMediaError(const std::wstring& message, HRESULT errorCode)
    : std::runtime_error(ToUtf8(message)), ErrorCode(errorCode)
{
}

std::wstring EMediaError::Message() const
{
    return FromUtf8(what());
}

EMediaAssertion::EMediaAssertion(const std::string& message)
    : std::logic_error(message + " (src/media/MediaUtil)")
{
}

void MediaAssert(bool condition, const char* message)
{
    if (!condition)
        throw EMediaAssertion(message);
}

std::wstring ErrorText(HRESULT hr)
{
    wchar_t text[256] = {};
    AMGetErrorTextW(hr, text, 255);
    return text;  // cut at the first zero
}

HRESULT RaiseOnFailure(HRESULT hr)
{
    if (SUCCEEDED(hr))
        return hr;
    wchar_t code[32];
    std::swprintf(code, std::size(code), L" ($%X).", static_cast<unsigned>(hr));
    throw EDirectShowException(ErrorText(hr) + code, hr);
}
