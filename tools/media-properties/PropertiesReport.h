// The report of one file: the editor's attributes, then (for a file without DRM) the
// reader's list of streams. Each part prints its lines and returns the failing step's
// HRESULT, or S_OK.
#pragma once

#include "ReaderCallback.h"
#include "WmfRuntime.h"

HRESULT RunReport(ReaderCallback& state, const TWmfRuntime& runtime);

// The parts of the report, in the order RunReport runs them.
HRESULT RunEditorPart(ReaderCallback& state, const TWmfRuntime& runtime);
HRESULT RunReaderPart(ReaderCallback& state, const TWmfRuntime& runtime);
HRESULT ListStreams(IWMProfile& profile);
