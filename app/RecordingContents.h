// What a finished recording holds, read from its file: a recording stopped before any
// sample reached the writer is a header with no data packets, which no player opens.
#pragma once

#include <string>

enum TRecordingContents { rcHasData, rcNoData, rcUnknown };

// Reads the ASF header of a recording: rcNoData when its file properties count no data
// packet, rcHasData when they count some, rcUnknown when the file cannot be read or is
// not laid out as expected (the file is then left alone).
TRecordingContents ReadRecordingContents(const std::wstring& fileName);
