// TSkinData: the component a form carries to be skinned. It keeps the packed skin (an LZH
// stream of a skin archive), unpacks and parses it into element records and colours,
// registers with the skin manager and switches skinning on and off through it, and holds
// the settings the skinning code reads.
//
// The stored skin arrives as the binary property "SkinStream" (4-byte length, then the LZH
// stream), usually from an RCDATA resource:
//     ReadBinaryProperty(*SkinData1, L"SkinStream", ReadRcData(L"SKINSTREAM"));
// or, outside form reading, with LoadSkinFromResource(L"SKINSTREAM").
#pragma once

#include "skin/SkinElementRecords.h"
#include "skin/SkinTypes.h"
#include "framework/Component.h"
#include "framework/Handles.h"
#include "framework/ImageList.h"
#include "framework/Strings.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

class TQuickIni;
class TSkinReader;

class TSkinData : public TComponent {
    KIVORA_CLASS(TSkinData, TComponent)
public:
    explicit TSkinData(TComponent* owner);
    ~TSkinData() override;

    // Published properties.
    bool Active() const { return FActive; }
    void SetActive(bool active);
    int DisableTag() const { return FDisableTag; }
    void SetDisableTag(int tag) { FDisableTag = tag; }
    TSkinControlTypes SkinControls() const { return FSkinControls; }
    void SetSkinControls(TSkinControlTypes controls) { FSkinControls = controls; }
    TSkinOptions Options() const { return FOptions; }
    void SetOptions(TSkinOptions options) { FOptions = options; }
    // Control classes of other libraries and the kind each is skinned as ("TClass=kind").
    TStrings* Skin3rd() const { return FSkin3rd.get(); }
    void SetSkin3rd(TStrings* list);
    const std::wstring& SkinFile() const { return FSkinFile; }
    void SetSkinFile(const std::wstring& fileName);
    // Display only: "(Good)" at design time when a skin is held, "(none)" otherwise.
    std::wstring SkinStore() const;
    void SetSkinStore(const std::wstring&) {}
    TSkinFormType SkinFormtype() const { return FSkinFormtype; }
    void SetSkinFormtype(TSkinFormType type) { FSkinFormtype = type; }
    std::wstring Version() const { return L"1.00.00.00"; }
    void SetVersion(const std::wstring&) {}
    bool MenuUpdate() const { return FMenuUpdate; }
    void SetMenuUpdate(bool value) { FMenuUpdate = value; }
    bool MenuMerge() const { return FMenuMerge; }
    void SetMenuMerge(bool value) { FMenuMerge = value; }

    TOnFormSkin OnFormSkin;
    TNotifyEvent OnSkinChanged;
    TOnSkinControl OnSkinControl;
    // Called by the manager's hook for every new top-level window.
    TEvent<TSkinData* /*Sender*/, HWND /*Handle*/, const std::wstring& /*ClassName*/> OnCreateWindow;

    // Unpacks SkinStream and parses it. False (and Empty) when there is no skin, the
    // archive is damaged or of another version (its message is shown), or at design time.
    bool LoadSkin();
    // Hands a newly loaded skin to the manager.
    void ApplySkin();
    // Whether windows of a class are skinned; DoSkin comes in true.
    void FormFilter(const std::wstring& className, bool& doSkin);
    void DoSkinChanged() { OnSkinChanged(this); }
    // Switches skinning on or off at once (the main window does so around full screen).
    void SetSkinningEnabled(bool enabled);
    // Fills picture from the archive member named by fileName while a skin loads: empty
    // when the name does not end in ".bmp", the member is missing or is no readable BMP.
    void ReadPicture(TBitmap& picture, const std::string& fileName);

    // Replaces the packed skin by an RCDATA resource of the program (the LZH stream, as a
    // skin file holds it) and loads it; false when there is no such resource or the skin
    // does not load. A main-window skin is then applied.
    bool LoadSkinFromResource(const std::wstring& name);
    // Replaces the packed skin by bytes (an LZH stream) and loads it, as SkinFile does.
    bool LoadSkinFromBytes(std::vector<std::uint8_t> packed);

    // The packed skin.
    const std::vector<std::uint8_t>& SkinStream() const { return FSkinStream; }
    bool Empty() const { return FEmpty; }
    const std::string& SkinName() const { return FElements.SkinName; }
    // The parsed records and colours; valid after a successful LoadSkin until the next one.
    const TSkinElements& Elements() const { return FElements; }
    // Set by the form skinning code around menu changes.
    bool PaintNonClient = true;
    // Title-bar icon for windows without one (filled by the title-bar code).
    TBitmap IconImage;
    // The window-menu glyphs: restore, maximize, minimize, close (16 x 16 each).
    TImageList* MenuImages() const { return FMenuImages; }
    // Solid brush of ColorButtonFace, made after each parse.
    HBRUSH ButtonFaceBrush() const { return FButtonFaceBrush.get(); }

    void Loaded() override;
    void DefineProperties(TFiler& filer) override;

private:
    void ParseSkin(const TQuickIni& ini);
    // Registers with the manager (made when there is none) and starts skinning.
    void Register();
    bool Designing() const { return ComponentState().Contains(csDesigning); }
    bool Reading() const { return ComponentState().Contains(csLoading) || ComponentState().Contains(csReading); }
    void ReadSkinStream(TStream& stream);
    void WriteSkinStream(TStream& stream);

    bool FActive = false;
    int FDisableTag = 99;
    TSkinControlTypes FSkinControls = kDefaultSkinControls;
    TSkinOptions FOptions;
    std::unique_ptr<TStrings> FSkin3rd;
    std::wstring FSkinFile;
    TSkinFormType FSkinFormtype = sfMainform;
    bool FMenuUpdate = true;
    bool FMenuMerge = false;

    std::vector<std::uint8_t> FSkinStream;
    bool FEmpty = true;
    TSkinElements FElements;
    TImageList* FMenuImages = nullptr;  // owned as a component
    TGdiHandle<HBRUSH> FButtonFaceBrush;
    // The archive being loaded, only while LoadSkin runs (ReadPicture reads from it).
    TSkinReader* FReader = nullptr;
};
