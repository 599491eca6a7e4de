// TGraphic: the base of pictures (TBitmap, TJPEGImage): a size, drawing into a rectangle
// of a canvas (stretched to it), and loading from / saving to streams and files.
#pragma once
#include "framework/Event.h"
#include "framework/Persistent.h"

#include <windows.h>

#include <string>

class TCanvas;
class TStream;

class TGraphic : public TPersistent {
    KIVORA_CLASS(TGraphic, TPersistent)
public:
    virtual int Width() const = 0;
    virtual int Height() const = 0;
    virtual bool Empty() const { return Width() == 0 || Height() == 0; }
    // Draws the picture stretched into rect.
    virtual void Draw(TCanvas& canvas, const RECT& rect) const = 0;
    virtual void LoadFromStream(TStream& stream) = 0;
    virtual void SaveToStream(TStream& stream) const = 0;
    void LoadFromFile(const std::wstring& fileName);
    virtual void SaveToFile(const std::wstring& fileName) const;

    TNotifyEvent OnChange;

protected:
    void Changed() { OnChange(this); }
};
