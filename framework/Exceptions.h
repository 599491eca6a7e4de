// The framework's exceptions. Every exception of the program derives from EError and
// carries a wide message; an exception that escapes an event handler reaches
// TApplication::HandleException, which shows that message in one message box.
#pragma once
#include <exception>
#include <string>

class EError : public std::exception {
public:
    explicit EError(std::wstring message);
    const std::wstring& Message() const { return FMessage; }
    const char* what() const noexcept override { return FNarrow.c_str(); }

private:
    std::wstring FMessage;
    std::string FNarrow; // UTF-8 copy for what()
};

// A component operation that cannot be done (duplicate name, bad owner).
class EComponentError : public EError { using EError::EError; };
// An operation that is not valid in the object's present state.
class EInvalidOperation : public EError { using EError::EError; };
// Reading from or writing to a stream failed or met damaged data.
class EReadError : public EError { using EError::EError; };
class EWriteError : public EError { using EError::EError; };
// A file could not be created or opened; the message names the file.
class EFCreateError : public EError { using EError::EError; };
class EFOpenError : public EError { using EError::EError; };
// A picture whose data cannot be read or written.
class EInvalidGraphic : public EError { using EError::EError; };
// Assign between two classes that do not know each other.
class EConvertError : public EError { using EError::EError; };
// A Windows call failed; ErrorCode is GetLastError's value.
class EOSError : public EError {
public:
    EOSError(std::wstring message, unsigned long errorCode) : EError(std::move(message)), ErrorCode(errorCode) {}
    unsigned long ErrorCode;
};

// The system's text for an error code, without the trailing line break.
std::wstring SystemErrorMessage(unsigned long errorCode);
// Raises EOSError with the text of GetLastError() after `what`.
[[noreturn]] void RaiseLastOSError(const std::wstring& what);
// The message of the exception being handled (inside a catch block): the wide message
// of an EError, the UTF-8 text of any other standard exception.
std::wstring CurrentExceptionMessage();
