// The names of the Windows Media codecs Mediscope knows, by media subtype.
#pragma once

#include <windows.h>

// The codec's line ("Codec Name: …\n"), or nullptr for a subtype not in the table.
const char* CodecLine(const GUID& subtype);
