// The settings dialog's choices kept from one run to the next, in the current user's part
// of the registry (HKCU\Software\Kivora\Settings), each as a string a person can read in
// the registry editor:
//   VideoDevice, AudioDevice  the device's name and its moniker's display name (the path
//                             that tells two devices of the same name apart), as
//                             "<name>|<display name>"
//   VideoFormat, AudioFormat  the format's one-line description
//   InputLine                 the input line's name
//   SaveDir                   the save folder
// They are written when the dialog's OK is accepted and read once at start; a value that
// is missing, of another type or too long reads as "", so the dialog then keeps its
// default for it.
#pragma once

#include "media/MediaUtil/SysDevEnum.h"

#include <string>

struct TStoredSettings {
    std::wstring VideoDevice, VideoFormat, AudioDevice, AudioFormat, InputLine, SaveDir;
};

// The key under HKEY_CURRENT_USER.
extern const wchar_t* const kStoredSettingsKey;

// The stored choices; "" for each one that is absent or damaged (never raises for them).
TStoredSettings ReadStoredSettings();
// Stores the six choices; false when the key cannot be written, in which case the
// choices are simply not remembered.
bool WriteStoredSettings(const TStoredSettings& settings);

// How a device of the list is stored: "<name>|<moniker display name>"; "" for a row that
// is not in the list.
std::wstring StoredDeviceText(const TSysDevEnum& devices, int row);
// The row of the list whose stored text is this one; -1 when none is (or text is "").
int StoredDeviceRow(const TSysDevEnum& devices, const std::wstring& text);
// Whether a stored folder can be used: not empty, and an existing folder.
bool FolderExists(const std::wstring& folder);
