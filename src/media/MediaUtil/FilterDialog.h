// Shows a filter's property pages, or a dialog of an older capture or compression driver.
#pragma once

#include <string>

#include <windows.h>
#include <strmif.h>

enum TFilterDialogKind {
    fdPropertyPages,   // the filter's own property pages in a property frame
    fdCaptureDisplay,  // older capture driver: display dialog
    fdCaptureFormat,   // older capture driver: format dialog
    fdCaptureSource,   // older capture driver: source dialog
    fdCompressConfig,  // older compression driver: configuration dialog
    fdCompressAbout,   // older compression driver: about dialog
};

// Modal. S_FALSE when there is no filter or the kind is unknown; otherwise the result of
// the first failing step or of the dialog. The property pages' frame is titled with the
// caption, or with the filter's name in its graph when no caption is given.
HRESULT ShowFilterDialog(HWND parent, IBaseFilter* filter, TFilterDialogKind kind, const std::wstring& caption = {});
