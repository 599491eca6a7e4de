// The names of the files the program writes, and the running-time texts of the status bar.
#pragma once

#include <windows.h>

#include <string>

enum TOutputKind { okSnapshot = 1, okRecording = 2 };

// saveDir + "\Image" + "yymmdd_hhmmss" + ".jpg" (snapshots) or "\Video" … ".wmv"
// (recordings), at the given local time. A folder given with a trailing backslash (a
// drive root) gets no second one.
std::wstring MakeFileName(const std::wstring& saveDir, TOutputKind kind, const SYSTEMTIME& localTime);

// "<word>  h:m:s:ms" of a position in milliseconds, without zero padding, e.g.
// RunningTimeText(L"播放", 3723045) == L"播放  1:2:3:45". The word is "播放" for
// playback and "捕捉" for recording.
std::wstring RunningTimeText(const wchar_t* word, long long milliseconds);
