// The names of the files the program writes, how they are created, what their failures
// say, and the running-time texts of the status bar.
#pragma once

#include "framework/Exceptions.h"

#include <windows.h>

#include <cstdint>
#include <span>
#include <string>

enum TOutputKind { okSnapshot = 1, okRecording = 2 };

// saveDir + "\Image" + "yymmdd_hhmmss" + ".jpg" (snapshots) or "\Video" … ".wmv"
// (recordings), at the given local time. A folder given with a trailing backslash (a
// drive root) gets no second one.
std::wstring MakeFileName(const std::wstring& saveDir, TOutputKind kind, const SYSTEMTIME& localTime);

// A picture or recording that cannot be written: the message names the file the user
// would look for and the reason, in the program's language.
class EOutputFileError : public EError {
    using EError::EError;
};

// What a user is told for a system error met while writing a file: "磁盘已满" for a full
// disk, "文件夹不存在", "没有写入权限", "路径太长", or the system's own text.
std::wstring FileErrorReason(unsigned long error);
// "无法保存文件 <name>：<reason>。"
std::wstring OutputFileErrorText(const std::wstring& fileName, unsigned long error);

// Creates the output file for a snapshot or recording made now, empty, and answers its
// name: MakeFileName's when that is free, otherwise with "_2", "_3", … before the
// extension. The file is created exclusively, so two snapshots or recordings — of this
// program or of another one running beside it — never share a file, and an existing
// file is never opened for writing. Raises EOutputFileError when no file can be made.
std::wstring CreateOutputFile(const std::wstring& saveDir, TOutputKind kind, const SYSTEMTIME& localTime);

// Writes the bytes into an output file that CreateOutputFile made. When the write fails
// (a full disk), the file is removed and EOutputFileError raised: no half picture stays.
void WriteOutputFile(const std::wstring& fileName, std::span<const std::uint8_t> bytes);

// "<word>  h:m:s:ms" of a position in milliseconds, without zero padding, e.g.
// RunningTimeText(L"播放", 3723045) == L"播放  1:2:3:45". The word is "播放" for
// playback and "捕捉" for recording.
std::wstring RunningTimeText(const wchar_t* word, long long milliseconds);
