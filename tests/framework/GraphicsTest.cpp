// Bitmaps, BMP and JPEG files, and binary stored properties.
#include "framework/Bitmap.h"
#include "framework/Component.h"
#include "framework/Exceptions.h"
#include "framework/Filer.h"
#include "framework/Jpeg.h"
#include "framework/Picture.h"
#include "framework/Resource.h"
#include "framework/Stream.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <cstring>
#include <filesystem>

namespace {

// A smooth picture with every channel varying, so decoding faults show.
void Paint(TBitmap& bitmap)
{
    int bpp = bitmap.BitsPerPixel() / 8;
    for (int y = 0; y < bitmap.Height(); ++y) {
        std::uint8_t* row = bitmap.ScanLine(y);
        for (int x = 0; x < bitmap.Width(); ++x) {
            row[x * bpp + 0] = static_cast<std::uint8_t>(x * 255 / std::max(1, bitmap.Width() - 1));
            row[x * bpp + 1] = static_cast<std::uint8_t>(y * 255 / std::max(1, bitmap.Height() - 1));
            row[x * bpp + 2] = static_cast<std::uint8_t>(128 + (x - y) / 4);
        }
    }
}

bool SamePixels(const TBitmap& a, const TBitmap& b, int tolerance)
{
    if (a.Width() != b.Width() || a.Height() != b.Height())
        return false;
    int pa = a.BitsPerPixel() / 8, pb = b.BitsPerPixel() / 8;
    for (int y = 0; y < a.Height(); ++y)
        for (int x = 0; x < a.Width(); ++x)
            for (int c = 0; c < 3; ++c)
                if (std::abs(a.ScanLine(y)[x * pa + c] - b.ScanLine(y)[x * pb + c]) > tolerance)
                    return false;
    return true;
}

std::filesystem::path TempFolder()
{
    wchar_t buffer[MAX_PATH];
    GetTempPathW(MAX_PATH, buffer);
    auto folder = std::filesystem::path(buffer) / L"kivora 测试";
    std::filesystem::remove_all(folder);
    std::filesystem::create_directories(folder);
    return folder;
}

TEST(Bitmap, BmpStreamRoundTripKeepsPixelsAndBytes)
{
    for (TPixelFormat format : {pf24bit, pf32bit}) {
        TBitmap original(37, 21, format); // odd width: rows are padded
        Paint(original);
        TMemoryStream stream;
        original.SaveToStream(stream);
        stream.SetPosition(0);
        TBitmap loaded;
        loaded.LoadFromStream(stream);
        EXPECT_EQ(loaded.PixelFormat(), format);
        EXPECT_TRUE(SamePixels(original, loaded, 0));
        TMemoryStream again;
        loaded.SaveToStream(again);
        EXPECT_EQ(again.Bytes(), stream.Bytes());
    }
}

TEST(Bitmap, DamagedBmpDataIsRefused)
{
    TBitmap good(8, 4, pf24bit);
    TMemoryStream stream;
    good.SaveToStream(stream);
    const std::vector<std::uint8_t> bytes = stream.Bytes();
    struct Case {
        const char* what;
        size_t offset;
        std::uint32_t value;
        size_t truncate;
    } cases[] = {
        {"signature", 0, 0x4141, 0},
        {"width past the limit", 18, 100000, 0},
        {"zero height", 22, 0, 0},
        {"pixel data cut short", 0, 0, 40},
        {"header size past the end", 14, 5000, 0},
        {"offset past the end", 10, 0x7FFFFFF0, 0},
        {"RLE compression", 30, BI_RLE8, 0},
        {"bit count", 28, 7, 0},
    };
    for (const Case& c : cases) {
        std::vector<std::uint8_t> damaged = bytes;
        if (c.truncate)
            damaged.resize(damaged.size() - c.truncate);
        else if (c.offset == 0)
            std::memcpy(damaged.data(), &c.value, 2);
        else if (c.offset == 28)
            std::memcpy(damaged.data() + c.offset, &c.value, 2);
        else
            std::memcpy(damaged.data() + c.offset, &c.value, 4);
        TMemoryStream in(damaged);
        TBitmap bitmap;
        EXPECT_THROW(bitmap.LoadFromStream(in), EInvalidGraphic) << c.what;
    }
    TMemoryStream empty;
    TBitmap bitmap;
    EXPECT_THROW(bitmap.LoadFromStream(empty), EInvalidGraphic);
}

TEST(Bitmap, CanvasDrawingShowsInScanLines)
{
    TBitmap bitmap(10, 10, pf24bit);
    bitmap.Canvas()->Brush().SetColor(clRed);
    bitmap.Canvas()->FillRect(RECT{0, 0, 5, 10});
    const std::uint8_t* row = bitmap.ScanLine(3);
    EXPECT_EQ(row[2 * 3 + 2], 255); // red
    EXPECT_EQ(row[2 * 3 + 0], 0);
    EXPECT_EQ(row[7 * 3 + 0], 255); // still white
    EXPECT_THROW(bitmap.ScanLine(10), EInvalidGraphic);
    bitmap.SetSize(20, 5); // keeps what overlaps
    EXPECT_EQ(bitmap.ScanLine(3)[2 * 3 + 2], 255);
}

TEST(Jpeg, SavedBitmapDecodesToTheSameSizeAndClosePixelsAtQuality100)
{
    auto folder = TempFolder();
    TBitmap bitmap(160, 120, pf24bit);
    Paint(bitmap);
    TJPEGImage jpeg;
    jpeg.SetCompressionQuality(100);
    jpeg.Assign(bitmap);
    auto file = (folder / L"Image240305_140709.jpg").wstring();
    jpeg.SaveToFile(file);
    TJPEGImage loaded;
    loaded.LoadFromFile(file);
    EXPECT_EQ(loaded.Width(), 160);
    EXPECT_EQ(loaded.Height(), 120);
    EXPECT_TRUE(SamePixels(bitmap, loaded.Bitmap(), 6));
    TBitmap back;
    back.Assign(loaded);
    EXPECT_EQ(back.Width(), 160);

    // Saving again replaces the file; nothing else is left in the folder.
    Paint(bitmap);
    bitmap.Canvas()->Brush().SetColor(clBlack);
    bitmap.Canvas()->FillRect(RECT{0, 0, 160, 120});
    jpeg.Assign(bitmap);
    jpeg.SaveToFile(file);
    loaded.LoadFromFile(file);
    EXPECT_LT(loaded.Bitmap().ScanLine(60)[80 * 3], 8);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder), {}), 1);
    std::filesystem::remove_all(folder);
}

TEST(Jpeg, FailedSavesNameTheFileAndLeaveNothingBehind)
{
    auto folder = TempFolder();
    TBitmap bitmap(16, 16, pf24bit);
    TJPEGImage jpeg;
    jpeg.Assign(bitmap);
    auto missing = (folder / L"没有" / L"Image.jpg").wstring();
    try {
        jpeg.SaveToFile(missing);
        FAIL() << "saved into a missing folder";
    } catch (const EFCreateError& e) {
        EXPECT_NE(e.Message().find(missing), std::wstring::npos);
    }
    // An empty picture does not replace an existing file.
    auto existing = (folder / L"Image.jpg").wstring();
    jpeg.SaveToFile(existing);
    auto size = std::filesystem::file_size(existing);
    TJPEGImage empty;
    EXPECT_THROW(empty.SaveToFile(existing), EInvalidGraphic);
    EXPECT_EQ(std::filesystem::file_size(existing), size);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder), {}), 1);
    std::filesystem::remove_all(folder);
}

TEST(Jpeg, DamagedDataRaisesInsteadOfCrashing)
{
    std::vector<std::uint8_t> junk = {0xFF, 0xD8, 0xFF, 0xE0, 0x00, 0x10, 'J', 'F', 'I', 'F', 0};
    for (auto data : {junk, std::vector<std::uint8_t>{}, std::vector<std::uint8_t>(100, 0x42)}) {
        TMemoryStream stream(data);
        TJPEGImage jpeg;
        EXPECT_THROW(jpeg.LoadFromStream(stream), EInvalidGraphic);
        EXPECT_TRUE(jpeg.Empty());
    }
}

TEST(Picture, AskingForTheBitmapReplacesOtherPictures)
{
    TPicture picture;
    int changes = 0;
    picture.OnChange = [&](TObject*) { ++changes; };
    TJPEGImage jpeg;
    TBitmap source(4, 4, pf24bit);
    jpeg.Assign(source);
    picture.SetGraphic(&jpeg);
    EXPECT_TRUE(picture.Graphic()->Is<TJPEGImage>());
    TBitmap* bitmap = picture.Bitmap();
    EXPECT_TRUE(bitmap->Empty());
    EXPECT_EQ(picture.Bitmap(), bitmap);
    bitmap->SetSize(3, 2);
    EXPECT_EQ(picture.Width(), 3);
    EXPECT_GE(changes, 3);
}

// A component with one binary stored property, as a stored device moniker or skin.
class TBlobHolder : public TComponent {
public:
    using TComponent::TComponent;
    std::vector<std::uint8_t> Data;
    void DefineProperties(TFiler& filer) override
    {
        filer.DefineBinaryProperty(
            L"data", [this](TStream& s) { Data = s.ReadToEnd(); }, [this](TStream& s) { s.WriteBytes(Data); }, true);
    }
};

TEST(Filer, BinaryPropertiesRoundTripByteForByte)
{
    TBlobHolder holder(nullptr);
    std::vector<std::uint8_t> stored = {5, 0, 0, 0, 0x00, 0xFF, 0x10, 0x80, 0x7F};
    ASSERT_TRUE(ReadBinaryProperty(holder, L"Data", stored));
    EXPECT_EQ(holder.Data, (std::vector<std::uint8_t>{0x00, 0xFF, 0x10, 0x80, 0x7F}));
    EXPECT_EQ(WriteBinaryProperty(holder, L"data"), stored);
    std::vector<std::uint8_t> empty = {0, 0, 0, 0};
    ASSERT_TRUE(ReadBinaryProperty(holder, L"data", empty));
    EXPECT_TRUE(holder.Data.empty());
    EXPECT_EQ(WriteBinaryProperty(holder, L"data"), empty);

    EXPECT_FALSE(ReadBinaryProperty(holder, L"SkinStream", stored));
    EXPECT_EQ(WriteBinaryProperty(holder, L"SkinStream"), std::nullopt);
    std::vector<std::uint8_t> lying = {50, 0, 0, 0, 1, 2};
    EXPECT_THROW(ReadBinaryProperty(holder, L"data", lying), EReadError);
    EXPECT_THROW(ReadBinaryProperty(holder, L"data", std::vector<std::uint8_t>{1, 0}), EReadError);
}

TEST(Resource, RcDataComesBackAsBytesAndAMissingOneIsNamed)
{
    std::vector<std::uint8_t> bytes = ReadRcData(L"KIVORA_TEST_BLOB");
    std::vector<std::uint8_t> expected = {0x01, 0x02, 0x03, 0x04, 'K', 'i', 'v', 'o', 'r', 'a'};
    ASSERT_GE(bytes.size(), expected.size());
    EXPECT_TRUE(std::equal(expected.begin(), expected.end(), bytes.begin()));
    try {
        ReadRcData(L"NO_SUCH_BLOB");
        FAIL() << "a missing resource was read";
    } catch (const EReadError& e) {
        EXPECT_NE(e.Message().find(L"NO_SUCH_BLOB"), std::wstring::npos);
    }
}

} // namespace
