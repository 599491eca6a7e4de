// The media layer's exceptions and the one place where a failed result code of the media
// framework becomes an exception (RaiseOnFailure).
//
// Messages are UTF-8 in what(); Message() gives them as UTF-16 for message boxes.
#pragma once

#include <windows.h>

#include <stdexcept>
#include <string>

// Base of the media layer's exceptions: a message and the failing result code.
class EMediaError : public std::runtime_error {
public:
    EMediaError(const std::wstring& message, HRESULT errorCode);
    std::wstring Message() const;
    HRESULT ErrorCode;
};

// A media-framework call that had to succeed failed.
class EDirectShowException : public EMediaError {
public:
    using EMediaError::EMediaError;
};

// A media component failed in its own logic ("Allocator class not set.", …).
class EMediaKitException : public EMediaError {
public:
    explicit EMediaKitException(const std::wstring& message, HRESULT errorCode = 0)
        : EMediaError(message, errorCode) {}
};

// A programming error inside the media support library: the message names the source.
class EMediaAssertion : public std::logic_error {
public:
    explicit EMediaAssertion(const std::string& message);
};

// Raises EMediaAssertion with "<message> (src/media/MediaUtil)" unless the condition holds.
void MediaAssert(bool condition, const char* message);

// The media framework's text for a result code (empty when it has none).
std::wstring ErrorText(HRESULT hr);

// Returns hr unchanged unless it signals failure (bit 31 set); otherwise raises
// EDirectShowException with ErrorText(hr) + " ($%X)." and ErrorCode = hr.
HRESULT RaiseOnFailure(HRESULT hr);

// UTF-16 ↔ UTF-8 for exception texts.
std::string ToUtf8(const std::wstring& text);
std::wstring FromUtf8(const std::string& text);
