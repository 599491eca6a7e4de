// The media layer's exceptions and the one place where a failed result code of the media
// framework becomes an exception (RaiseOnFailure). Both exceptions reach the
// application's default handler, which shows their message.
#pragma once

#include "framework/Exceptions.h"

#include <windows.h>

#include <string>

// A media-framework call that had to succeed failed; ErrorCode is its result.
class EDirectShowException : public EError {
public:
    EDirectShowException(std::wstring message, HRESULT errorCode) : EError(std::move(message)), ErrorCode(errorCode) {}
    HRESULT ErrorCode;
};

// A media component failed in its own logic ("Allocator class not set.", …).
class EMediaKitException : public EError {
public:
    explicit EMediaKitException(std::wstring message, HRESULT errorCode = 0)
        : EError(std::move(message)), ErrorCode(errorCode) {}
    HRESULT ErrorCode;
};

// A programming error inside the media support library: the message names the source.
class EMediaAssertion : public EError {
public:
    explicit EMediaAssertion(const std::wstring& message) : EError(message + L" (src/media/MediaUtil)") {}
};

// Raises EMediaAssertion with the message unless the condition holds.
void MediaAssert(bool condition, const wchar_t* message);

// The media framework's text for a result code (empty when it has none).
std::wstring ErrorText(HRESULT hr);

// Returns hr unchanged unless it signals failure (bit 31 set); otherwise raises
// EDirectShowException with ErrorText(hr) + " ($%X)." and ErrorCode = hr.
HRESULT RaiseOnFailure(HRESULT hr);
