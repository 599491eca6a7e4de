#include "media/MediaUtil/MediaErrors.h"

#include <errors.h>

#include <cstdio>
#include <iterator>

void MediaAssert(bool condition, const wchar_t* message)
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
