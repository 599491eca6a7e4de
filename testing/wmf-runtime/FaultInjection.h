// Fault injection for tests: the environment variable KIVORA_WMF_FAULT names steps of the
// runtime that fail with a given HRESULT, e.g.
//
//   KIVORA_WMF_FAULT=GetBitrate=0xC00D0BBD
//   KIVORA_WMF_FAULT=Seekable=0x80004005,Stridable=0x80004005
//
// Steps: WMCreateEditor, EditorOpen, QueryIWMHeaderInfo, Is_Protected, Seekable, Stridable
// (the attribute's first GetAttributeByName), EditorClose, WMCreateReader, ReaderOpen,
// OnOpened (the status the WMT_OPENED notification carries), QueryIWMProfile,
// GetStreamCount, GetStream, GetStreamType, GetStreamNumber, GetBitrate,
// QueryIWMMediaProps, GetMediaType (the size query), ReaderClose, OnClosed.
#pragma once

#include <windows.h>

// The HRESULT the step must fail with, or S_OK.
HRESULT Fault(const char* step);
// The fault of a QueryInterface step for that interface, or S_OK.
HRESULT QueryFault(REFIID iid);
