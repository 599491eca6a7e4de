// TJPEGImage: a JPEG picture over libjpeg-turbo. Assigning a bitmap takes a copy that is
// compressed at CompressionQuality (1..100) when saved; loading decodes at once, so bad
// data fails where it is read. Saving to a file replaces an existing file only once the
// new one is completely written (see SaveFileReplacing); an empty picture is not saved.
// Errors raise EInvalidGraphic (data) or EFCreateError (files, naming the file).
#pragma once
#include "framework/Bitmap.h"

#include <cstdint>
#include <memory>
#include <vector>

class TJPEGImage : public TGraphic {
    KIVORA_CLASS(TJPEGImage, TGraphic)
public:
    TJPEGImage();
    ~TJPEGImage() override;

    int CompressionQuality() const { return FQuality; }
    void SetCompressionQuality(int quality);
    int Width() const override { return FBitmap->Width(); }
    int Height() const override { return FBitmap->Height(); }
    // The decoded picture.
    const TBitmap& Bitmap() const { return *FBitmap; }

    void Assign(const TPersistent& source) override;
    void Draw(TCanvas& canvas, const RECT& rect) const override;
    void LoadFromStream(TStream& stream) override;
    void SaveToStream(TStream& stream) const override;
    void SaveToFile(const std::wstring& fileName) const override;

protected:
    void AssignTo(TPersistent& dest) const override;

private:
    std::vector<std::uint8_t> Compress() const;
    int FQuality = 75;
    std::unique_ptr<TBitmap> FBitmap;
    std::vector<std::uint8_t> FData; // the loaded file, kept while the picture is unchanged
};
