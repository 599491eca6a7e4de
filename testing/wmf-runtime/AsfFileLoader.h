// Reads an ASF file's header and top-level objects from disk, as an HRESULT-reporting step.
#pragma once

#include "AsfHeader.h"

#include <windows.h>

// S_OK with the file's description, or the failure a runtime reports: NS_E_FILE_NOT_FOUND
// for a missing file, NS_E_INVALID_INPUT_FORMAT for a file that is not ASF,
// NS_E_INVALID_DATA for a damaged header, HRESULT_FROM_WIN32 of other platform errors.
HRESULT LoadAsfFile(const wchar_t* path, kivora::asf::TAsfFileInfo& info);
