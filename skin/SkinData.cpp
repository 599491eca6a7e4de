#include "skin/SkinData.h"
#include "framework/ScopeExit.h"

#include "skin/BitmapResource.h"
#include "skin/BitmapTransforms.h"
#include "skin/ComboFaces.h"
#include "skin/core/Lzh.h"
#include "skin/core/QuickIni.h"
#include "skin/Skin3rdDefaults.h"
#include "skin/SkinManagerLink.h"
#include "skin/core/SkinParser.h"
#include "skin/core/SkinReader.h"
#include "framework/Exceptions.h"
#include "framework/Filer.h"
#include "framework/Form.h"
#include "framework/MessageBox.h"
#include "framework/Resource.h"
#include "framework/Stream.h"
#include "framework/Text.h"

#include <algorithm>
#include <filesystem>

static_assert(kSysButtonFace == clBtnFace, "skin colours use the framework's system colour encoding");

const TClassInfo& TSkinData::StaticClass()
{
    static const TClassInfo info(L"TSkinData", &TComponent::StaticClass(), {
        BoolProp(L"Active", &TSkinData::Active, &TSkinData::SetActive),
        IntProp(L"DisableTag", &TSkinData::DisableTag, &TSkinData::SetDisableTag),
        SetProp(L"SkinControls", &TSkinData::SkinControls, &TSkinData::SetSkinControls),
        SetProp(L"Options", &TSkinData::Options, &TSkinData::SetOptions),
        ObjProp(L"Skin3rd", &TSkinData::Skin3rd, &TSkinData::SetSkin3rd),
        StrProp(L"SkinFile", &TSkinData::SkinFile, &TSkinData::SetSkinFile),
        StrProp(L"SkinStore", &TSkinData::SkinStore, &TSkinData::SetSkinStore),
        EnumProp(L"SkinFormtype", &TSkinData::SkinFormtype, &TSkinData::SetSkinFormtype),
        StrProp(L"Version", &TSkinData::Version, &TSkinData::SetVersion),
        BoolProp(L"MenuUpdate", &TSkinData::MenuUpdate, &TSkinData::SetMenuUpdate),
        BoolProp(L"MenuMerge", &TSkinData::MenuMerge, &TSkinData::SetMenuMerge),
        EventProp(L"OnFormSkin", &TSkinData::OnFormSkin),
        EventProp(L"OnSkinChanged", &TSkinData::OnSkinChanged),
        EventProp(L"OnSkinControl", &TSkinData::OnSkinControl),
    });
    return info;
}

namespace {

// No skin file is larger: a skin unpacks to at most 64 MiB, and packing never doubles it.
constexpr std::uintmax_t kMaxSkinFileSize = 2ull * kLzhMaxUnpackedLength;

// The picture source of the parser: framework bitmaps read through the skin component.
class TBitmapSource {
public:
    explicit TBitmapSource(TSkinData& skin) : FSkin(skin) {}
    void Load(TBitmap& picture, const std::string& fileName) { FSkin.ReadPicture(picture, fileName); }
    void Clear(TBitmap& picture) { picture.SetSize(0, 0); }
    void CopyColumns(TBitmap& target, const TBitmap& source, int x, int width)
    {
        TBitmap part(std::clamp(width, 0, std::max(source.Width() - x, 0)), source.Height(), pf24bit);
        if (!part.Empty())
            BitBlt(part.Canvas()->Handle(), 0, 0, part.Width(), part.Height(),
                   const_cast<TBitmap&>(source).Canvas()->Handle(), x, 0, SRCCOPY);
        target.Assign(part);
    }

private:
    TSkinData& FSkin;
};

}  // namespace

TSkinData::TSkinData(TComponent* owner) : TComponent(owner), FSkin3rd(std::make_unique<TStrings>())
{
    for (const std::wstring& line : DefaultSkin3rd())
        FSkin3rd->Add(line);
    FMenuImages = new TImageList(this);
    TBitmap glyphs;
    if (LoadBitmapResource(glyphs, L"LACQUERMENU"))
        FMenuImages->AddMasked(glyphs, clWhite);
}

TSkinData::~TSkinData()
{
    if (ISkinManager* manager = SkinManager())
        manager->UnregisterSkin(this);
}

void TSkinData::SetSkin3rd(TStrings* list)
{
    if (list)
        FSkin3rd->Assign(*list);
}

std::wstring TSkinData::SkinStore() const
{
    return Designing() && !FSkinStream.empty() ? L"(Good)" : L"(none)";
}

void TSkinData::DefineProperties(TFiler& filer)
{
    TComponent::DefineProperties(filer);
    filer.DefineBinaryProperty(
        L"SkinStream", [this](TStream& stream) { ReadSkinStream(stream); },
        [this](TStream& stream) { WriteSkinStream(stream); }, true);
}

void TSkinData::ReadSkinStream(TStream& stream)
{
    std::vector<std::uint8_t> bytes = stream.ReadToEnd();
    if (bytes.empty())  // no stored skin: keep what the component has
        return;
    FSkinStream = std::move(bytes);
    if (!Designing())
        LoadSkin();
}

void TSkinData::WriteSkinStream(TStream& stream)
{
    if (!FSkinStream.empty())
        stream.WriteBuffer(FSkinStream.data(), FSkinStream.size());
}

bool TSkinData::LoadSkin()
{
    FEmpty = true;
    if (Designing())
        return false;
    try {
        TSkinReader reader;
        reader.OnMessage = [](const std::string& message) { ShowMessage(AnsiToWide(message)); };
        if (!reader.Load(FSkinStream))
            return false;
        // Whatever points into the records (title-bar buttons of skinned forms) goes first.
        if (ISkinManager* manager = SkinManager()) {
            manager->SetPendingSkin(this);
            manager->PrepareSkinReload();
        }
        TQuickIni ini;
        LoadSkinIni(reader, ini);
        FReader = &reader;
        const TScopeExit forget([this] { FReader = nullptr; });
        ParseSkin(ini);
    } catch (const EError&) {
        return false;  // out of memory for a picture: the skin stays empty, nothing is skinned
    }
    return !FEmpty;
}

void TSkinData::ParseSkin(const TQuickIni& ini)
{
    TBitmapSource pictures(*this);
    ParseSkinElements(FElements, ini, pictures);
    if (FElements.ComboButton && !FElements.ComboButton->Image.Empty()) {
        TBitmap& mirrored = FElements.ComboButton->Image2;
        mirrored.Assign(FElements.ComboButton->Image);
        mirrored.SetPixelFormat(pf24bit);
        MirrorBitmap(mirrored);
    }
    ComposeComboFaces(FElements);
    FButtonFaceBrush.reset(CreateSolidBrush(ColorToRGB(FElements.ColorButtonFace)));
    FEmpty = false;
}

void TSkinData::ReadPicture(TBitmap& picture, const std::string& fileName)
{
    picture.SetSize(0, 0);
    const std::optional<std::string> member = SkinPictureMemberName(fileName);
    std::vector<std::uint8_t> bytes;
    if (!FReader || !member || !FReader->ExtractMember(*member, bytes) || bytes.empty())
        return;
    try {
        TMemoryStream stream(std::move(bytes));
        picture.LoadFromStream(stream);
    } catch (const EInvalidGraphic&) {
        picture.SetSize(0, 0);  // a damaged picture is a missing one
    }
}

bool TSkinData::LoadSkinFromBytes(std::vector<std::uint8_t> packed)
{
    FEmpty = true;
    FSkinStream = std::move(packed);
    const bool loaded = LoadSkin();
    if (loaded && FSkinFormtype == sfMainform)
        ApplySkin();
    return loaded;
}

bool TSkinData::LoadSkinFromResource(const std::wstring& name)
{
    std::vector<std::uint8_t> packed;
    try {
        packed = ReadRcData(name);
    } catch (const EReadError&) {
        return false;
    }
    return LoadSkinFromBytes(std::move(packed));
}

void TSkinData::SetSkinFile(const std::wstring& fileName)
{
    FEmpty = true;
    FSkinFile = fileName;
    if (Designing()) {
        if (!fileName.empty())
            FSkinStream.clear();
        return;
    }
    std::error_code ec;
    const std::filesystem::path path(fileName);
    if (fileName.empty() || !std::filesystem::is_regular_file(path, ec))
        return;
    const std::uintmax_t size = std::filesystem::file_size(path, ec);
    if (ec || size > kMaxSkinFileSize)
        return;
    std::vector<std::uint8_t> bytes;
    try {
        TFileStream file(fileName, fmOpenRead);
        bytes = file.ReadToEnd();
    } catch (const EError&) {
        return;  // unreadable: the component stays without a skin
    }
    LoadSkinFromBytes(std::move(bytes));
}

void TSkinData::Loaded()
{
    TComponent::Loaded();
    if (!Designing())
        Register();
}

void TSkinData::Register()
{
    ISkinManager* manager = EnsureSkinManager();
    if (manager)
        manager->RegisterSkin(this);
    if (FSkinFormtype == sfOnlyThisForm || FSkinFormtype == sfDialog) {
        if (!manager)
            return;
        manager->SetEnabled(true);
        manager->SetStartState(manager->StartState() + 1);
        if (auto* form = As<TCustomForm>(Owner()))
            manager->SkinWindow(form->Handle());
        return;
    }
    if (manager)
        manager->InstallHook();
    if (FActive) {
        if (FEmpty)
            FActive = false;
        else if (manager)
            manager->ScheduleAction(saSwitchOn, 250);
    }
    // Menu items are skinned with the main menu; without it the window menu is not.
    if (FSkinControls.Contains(xcMainMenu))
        FSkinControls.Exclude(xcMenuItem);
    else
        FSkinControls.Exclude(xcSystemMenu);
}

void TSkinData::SetActive(bool active)
{
    if (active == FActive)
        return;
    FActive = active;
    ISkinManager* manager = SkinManager();
    if (Designing() || Reading() || !manager)
        return;
    switch (FSkinFormtype) {
    case sfMainform:
        if (active) {
            if (FEmpty)
                return;
            manager->ScheduleAction(saSwitchOn, 250);
            manager->SetStartState(1);
        } else {
            manager->ScheduleAction(saSwitchOff, 250);
        }
        manager->SetPendingSkin(this);
        break;
    case sfOnlyThisForm:
        manager->SetPendingSkin(this);
        if (active && FEmpty)
            return;
        manager->ScheduleAction(active ? saSwitchOn : saSwitchOff, 250);
        break;
    case sfDialog:
        break;
    }
}

void TSkinData::ApplySkin()
{
    if (Designing() || Reading())
        return;
    if (!SkinManager())
        Register();
    ISkinManager* manager = SkinManager();
    if (!manager)
        return;
    manager->SetPendingSkin(this);
    manager->PrepareSkinReload();
    if (manager->StartState() == 1)
        manager->ScheduleAction(saReapply, 250);
}

void TSkinData::FormFilter(const std::wstring& className, bool& doSkin)
{
    if (OnFormSkin) {
        OnFormSkin(this, className, doSkin);
        return;
    }
    if (className == L"SysMonthCal32" || (FSkinControls.Contains(xcFastReport) && className.starts_with(L"Tfr")))
        doSkin = false;
}

void TSkinData::SetSkinningEnabled(bool enabled)
{
    if (ISkinManager* manager = SkinManager())
        manager->SetEnabled(enabled);
}
