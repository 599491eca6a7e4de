#include "skin/engine/controls/ControlAttachment.h"

#include "skin/SkinData.h"
#include "skin/engine/WindowText.h"
#include "skin/engine/controls/ControlDrawing.h"
#include "skin/engine/controls/SkinBitButton.h"
#include "skin/engine/controls/SkinBox.h"
#include "skin/engine/controls/SkinBoxH.h"
#include "skin/engine/controls/SkinButton.h"
#include "skin/engine/controls/SkinCheckBox.h"
#include "skin/engine/controls/SkinComBox.h"
#include "skin/engine/controls/SkinEdit.h"
#include "skin/engine/controls/SkinRadioButton.h"
#include "skin/engine/controls/SkinScrollbar.h"
#include "skin/engine/controls/SkinScrollbarH.h"
#include "skin/engine/controls/SkinGroupBox.h"
#include "skin/engine/controls/SkinObjImage.h"
#include "skin/engine/controls/SkinProgress.h"
#include "skin/engine/controls/SkinTab.h"
#include "skin/engine/controls/SkinTrackBar.h"
#include "skin/engine/controls/SkinUpDown.h"
#include "skin/engine/controls/SkinSizer.h"
#include "skin/engine/controls/SkinSpeedButton.h"
#include "skin/engine/controls/SkinStatusBar.h"
#include "framework/BitBtn.h"
#include "framework/Button.h"
#include "framework/CheckBox.h"
#include "framework/ComboBox.h"
#include "framework/Edit.h"
#include "framework/Form.h"
#include "framework/Panel.h"
#include "framework/RadioButton.h"
#include "framework/ScrollBar.h"
#include "framework/ListBox.h"
#include "framework/GroupBox.h"
#include "framework/ProgressBar.h"
#include "framework/TabControl.h"
#include "framework/SpeedButton.h"
#include "framework/StatusBar.h"

#include <algorithm>
#include <cwctype>

namespace {

constexpr int kNoKind = -1;

std::wstring Lower(std::wstring text)
{
    for (wchar_t& c : text)
        c = static_cast<wchar_t>(std::towlower(c));
    return text;
}

std::wstring Upper(std::wstring text)
{
    for (wchar_t& c : text)
        c = static_cast<wchar_t>(std::towupper(c));
    return text;
}

template <class T> bool IsA(TComponent& c) { return As<T>(&c) != nullptr; }

}  // namespace

TControlAttachment::TControlAttachment(HWND window, TComponent* sender, std::function<bool()> ready)
    : FWindow(window), FSender(sender), FReady(std::move(ready))
{
}

TControlAttachment::~TControlAttachment()
{
    FreeAll();
}

bool TControlAttachment::Has(int kind) const
{
    return kind == kNoKind || (FSkin && FSkin->SkinControls().Contains(static_cast<TSkinControlType>(kind)));
}

void TControlAttachment::Register(TSkinControl* control)
{
    if (std::find(FControls.begin(), FControls.end(), control) == FControls.end())
        FControls.push_back(control);
}

void TControlAttachment::Unregister(TSkinControl* control)
{
    FControls.erase(std::remove(FControls.begin(), FControls.end(), control), FControls.end());
    if (FHotButton == control)
        FHotButton = nullptr;
}

TSkinControl* TControlAttachment::Find(HWND window) const
{
    for (TSkinControl* c : FControls)
        if (c->Handle() == window)
            return c;
    return nullptr;
}

void TControlAttachment::Free(TSkinControl* control)
{
    Unregister(control);
    control->ForgetForm();
    if (control->Owner())
        control->Free();  // a framework control's component: it leaves its owner's list
    else
        delete control;
}

void TControlAttachment::FreeAll()
{
    while (!FControls.empty()) {
        TSkinControl* control = FControls.back();
        if (control->State() != scWindowDestroyed)
            control->Detach();
        Free(control);
    }
    FHotButton = nullptr;
}

void TControlAttachment::PurgeDead()
{
    for (size_t i = FControls.size(); i-- > 0;)
        if (i < FControls.size() && FControls[i]->State() == scWindowDestroyed)
            Free(FControls[i]);
}

void TControlAttachment::SkinChanged()
{
    for (TSkinControl* control : std::vector<TSkinControl*>(FControls))
        control->SkinChanged();
}

void TControlAttachment::CheckHotButton()
{
    if (!FHotButton || !FHotButton->Handle())
        return;
    POINT cursor{};
    GetCursorPos(&cursor);
    RECT r{};
    if (GetWindowRect(FHotButton->Handle(), &r) && PtInRect(&r, cursor))
        return;
    TSkinControl* hot = FHotButton;
    FHotButton = nullptr;
    SendMessageW(hot->Handle(), CM_MOUSELEAVE, 0, 0);
}

void TControlAttachment::Attach(TSkinData& skin, TCustomForm* form)
{
    FSkin = &skin;
    if (form)
        SkinFormControls(*form);
    else
        SkinChildWindows();
}

void TControlAttachment::SkinFormControls(TComponent& container)
{
    PurgeDead();
    for (TComponent* component : std::vector<TComponent*>(container.ComponentList()))
        if (As<TControl>(component))
            SkinComponent(*component, container);
}

bool TControlAttachment::AlreadySkinned(TComponent& component) const
{
    auto* windowed = As<TWinControl>(&component);
    for (TSkinControl* c : FControls) {
        if (c->Served()) {
            if (c->Served() == &component)
                return true;
            continue;
        }
        if (!windowed)
            continue;
        if (windowed->HandleAllocated()) {
            if (windowed->Handle() == c->Handle())
                return true;
            continue;
        }
        // Print previews make their windows late; they are treated as skinned.
        const TCustomForm* form = GetParentForm(windowed);
        const std::wstring name = form ? form->Name() : L"";
        return Lower(name).find(L"preview") != std::wstring::npos || name == L"TQRStandardPreview" ||
               name == L"TppPrintPreview" || name == L"TdxfmStdPreview";
    }
    return false;
}

bool TControlAttachment::NeedsScrollSkin(TComponent& component)
{
    auto* windowed = As<TWinControl>(&component);
    if (!windowed)
        return false;
    if (component.Tag() == 55)
        return true;
    return windowed->HandleAllocated() && (GetWindowLongPtrW(windowed->Handle(), GWL_STYLE) & (WS_HSCROLL | WS_VSCROLL));
}

namespace {

// How a new skinning object is attached to a framework component.
enum TAttachKind { akControl, akControlReplace, akWindow, akGraphic, akScroll };

// A Skin3rd line may name a class whose components cannot take the kind (a windowless
// control as an edit): those are left alone.
void AttachNew(TSkinControl* object, TAttachKind how, TComponent& component, TControlAttachment& form, TSkinData& skin)
{
    auto* windowed = As<TWinControl>(&component);
    auto* speed = As<TSkinSpeedButton>(object);
    if ((how == akGraphic) ? !speed || !As<TControl>(&component) : !windowed) {
        object->Free();
        return;
    }
    switch (how) {
    case akControl: object->AttachControl(form, skin, false); break;
    case akControlReplace: object->AttachControl(form, skin, true); break;
    case akWindow: object->AttachWindow(windowed->Handle(), skin, form); break;
    case akGraphic: speed->AttachGraphic(form, skin); break;
    case akScroll:
        if (auto* scroll = As<TSkinScrollbar>(object))
            scroll->AttachScrollControl(*windowed, skin, form);
        break;
    }
}

}  // namespace

void TControlAttachment::SkinComponent(TComponent& component, TComponent& container)
{
    if (!FSkin)
        return;
    const std::wstring name = Upper(component.ClassName());
    if (component.Tag() % 100 == FSkin->DisableTag() || AlreadySkinned(component))
        return;
    if (auto* windowed = As<TWinControl>(&component); windowed && !windowed->HandleAllocated()) {
        try {
            windowed->HandleNeeded();
        } catch (...) {
            return;
        }
    }
    if (FSkin->OnSkinControl) {
        TComponent* made = nullptr;
        FSkin->OnSkinControl(FSender, FSkin, As<TControl>(&container), As<TControl>(&component), name, made);
        if (auto* object = As<TSkinControl>(made)) {
            if (std::find(FControls.begin(), FControls.end(), object) != FControls.end())
                return;
            Register(object);
            object->AttachControl(*this, *FSkin, false);
            if (IsA<TCustomPanel>(component))
                SkinFormControls(component);
            return;
        }
    }
    if (SkinByThirdParty(name, component))
        return;
    static const wchar_t* const kNeverSkinned[] = {L"TDBCOMBOBOXEH", L"TQRPREVIEW", L"TFRDESIGNERPAGE", L"TFRPBOX"};
    for (const wchar_t* never : kNeverSkinned)
        if (name == never)
            return;

    // The first matching row whose kind the skin has applies.
    struct TRow {
        bool (*Test)(TComponent&, const std::wstring&);
        int Needs;
        void (*Act)(TControlAttachment&, TComponent&, TSkinData&);
    };
    static const TRow rows[] = {
        // A tool button's drop-down menu is the menu skin's business; it gets no object.
        {[](TComponent& c, const std::wstring&) { return IsA<TToolButton>(c); }, xcMainMenu,
         [](TControlAttachment&, TComponent&, TSkinData&) {}},
        {[](TComponent&, const std::wstring& n) { return n == L"TMVCPANEL"; }, kNoKind,
         [](TControlAttachment& f, TComponent& c, TSkinData&) { f.SkinFormControls(c); }},
        {[](TComponent&, const std::wstring& n) { return n == L"TTRACKBAR"; }, xcButton,
         [](TControlAttachment& f, TComponent& c, TSkinData& s) { AttachNew(new TSkinTrackBar(&c), akControl, c, f, s); }},
        {[](TComponent&, const std::wstring& n) { return n == L"TUPDOWN" || n == L"TSPINBUTTON"; }, xcButton,
         [](TControlAttachment& f, TComponent& c, TSkinData& s) { AttachNew(new TSkinUpDown(&c), akControl, c, f, s); }},
        {[](TComponent&, const std::wstring& n) { return n == L"TDBNAVIGATOR"; }, xcPanel,
         [](TControlAttachment& f, TComponent& c, TSkinData& s) {
             WriteProp(&c, L"Flat", L"True");
             AttachNew(new TSkinBox(&c), akControlReplace, c, f, s);
         }},
        {[](TComponent&, const std::wstring& n) { return n == L"TRZDBCHECKBOX"; }, xcCheckBox,
         [](TControlAttachment& f, TComponent& c, TSkinData& s) {
             auto* glyphs = new TSkinObjImage(&c);
             glyphs->GlyphKind = 1;
             AttachNew(glyphs, akControlReplace, c, f, s);
         }},
        {[](TComponent& c, const std::wstring&) { return IsA<TToolBar>(c); }, xcToolbar,
         [](TControlAttachment& f, TComponent& c, TSkinData& s) {
             auto* box = new TSkinBox(&c);
             box->TakeToolBar(static_cast<TToolBar&>(c), f);
             AttachNew(box, akControlReplace, c, f, s);
         }},
        {[](TComponent& c, const std::wstring&) { return IsA<TCustomStatusBar>(c); }, xcStatusBar,
         [](TControlAttachment& f, TComponent& c, TSkinData& s) { AttachNew(new TSkinStatusBar(&c), akControl, c, f, s); }},
        {[](TComponent& c, const std::wstring&) { return IsA<TCustomComboBox>(c); }, xcCombo,
         [](TControlAttachment& f, TComponent& c, TSkinData& s) { AttachNew(new TSkinComBox(&c), akControl, c, f, s); }},
        {[](TComponent& c, const std::wstring&) { return IsA<TCustomPanel>(c); }, xcPanel,
         [](TControlAttachment& f, TComponent& c, TSkinData& s) {
             AttachNew(new TSkinBox(&c), akControlReplace, c, f, s);
             f.SkinFormControls(c);
         }},
        // Tab and page controls, progress bars and group boxes of this framework.
        {[](TComponent& c, const std::wstring&) { return IsA<TCustomTabControl>(c); }, xcTab,
         [](TControlAttachment& f, TComponent& c, TSkinData& s) {
             if (s.Elements().Tabs)
                 AttachNew(new TSkinTab(&c), akWindow, c, f, s);
         }},
        {[](TComponent& c, const std::wstring&) { return IsA<TProgressBar>(c); }, xcProgress,
         [](TControlAttachment& f, TComponent& c, TSkinData& s) { AttachNew(new TSkinProgress(&c), akControl, c, f, s); }},
        {[](TComponent& c, const std::wstring&) { return IsA<TCustomGroupBox>(c); }, xcGroupBox,
         [](TControlAttachment& f, TComponent& c, TSkinData& s) { AttachNew(new TSkinGroupBox(&c), akControlReplace, c, f, s); }},
        // A list box drops WS_VSCROLL while its items fit; it is covered all the same,
        // so that its bar is skinned when it appears.
        {[](TComponent& c, const std::wstring&) { return IsA<TScrollBar>(c) || IsA<TCustomListBox>(c) || NeedsScrollSkin(c); },
         xcScrollbar,
         [](TControlAttachment& f, TComponent& c, TSkinData& s) { AttachNew(new TSkinScrollbar(&c), akScroll, c, f, s); }},
        {[](TComponent& c, const std::wstring&) { return IsA<TSpeedButton>(c); }, xcSpeedButton,
         [](TControlAttachment& f, TComponent& c, TSkinData& s) { AttachNew(new TSkinSpeedButton(&c), akGraphic, c, f, s); }},
        {[](TComponent& c, const std::wstring&) { return IsA<TCheckBox>(c); }, xcCheckBox,
         [](TControlAttachment& f, TComponent& c, TSkinData& s) { AttachNew(new TSkinCheckBox(&c), akControl, c, f, s); }},
        {[](TComponent& c, const std::wstring&) { return IsA<TRadioButton>(c); }, xcRadioButton,
         [](TControlAttachment& f, TComponent& c, TSkinData& s) { AttachNew(new TSkinRadioButton(&c), akControl, c, f, s); }},
        {[](TComponent& c, const std::wstring&) { return IsA<TBitBtn>(c); }, xcBitBtn,
         [](TControlAttachment& f, TComponent& c, TSkinData& s) { AttachNew(new TSkinBitButton(&c), akControl, c, f, s); }},
        {[](TComponent& c, const std::wstring&) { return IsA<TButton>(c); }, xcButton,
         [](TControlAttachment& f, TComponent& c, TSkinData& s) { AttachNew(new TSkinButton(&c), akControl, c, f, s); }},
        {[](TComponent& c, const std::wstring&) { return IsA<TCustomEdit>(c); }, xcEdit,
         [](TControlAttachment& f, TComponent& c, TSkinData& s) { AttachNew(new TSkinEdit(&c), akWindow, c, f, s); }},
        {[](TComponent& c, const std::wstring&) { return IsA<TCustomForm>(c); }, kNoKind,
         [](TControlAttachment& f, TComponent& c, TSkinData& s) {
             AttachNew(new TSkinBox(&c), akControlReplace, c, f, s);
             f.SkinFormControls(c);
         }},
    };
    for (const TRow& row : rows) {
        if (!row.Test(component, name) || !Has(row.Needs))
            continue;
        row.Act(*this, component, *FSkin);
        return;
    }
}

bool TControlAttachment::SkinByThirdParty(const std::wstring& className, TComponent& component)
{
    const std::wstring key = Lower(className) + L"=";
    const TStrings* list = FSkin->Skin3rd();
    std::wstring kind;
    bool found = false;
    for (int i = 0; list && i < list->Count() && !found; ++i) {
        const std::wstring line = Lower(list->Strings(i));
        if (line.compare(0, key.size(), key) == 0) {
            kind = line.substr(line.find(L'=') + 1, 50);
            found = true;
        }
    }
    if (!found)
        return false;
    if (kind == L"nil")
        return true;
    auto* control = As<TWinControl>(&component);
    const auto children = [&](auto&& each) {
        if (!control)
            return;
        for (int i = 0; i < control->ControlCount(); ++i)
            each(*control->Controls(i));
    };
    struct TKind {
        const wchar_t* Name;
        int Needs;
        void (*Act)(TControlAttachment&, TComponent&, TSkinData&);
    };
    static const TKind kinds[] = {
        {L"combobox", xcCombo,
         [](TControlAttachment& f, TComponent& c, TSkinData& s) { AttachNew(new TSkinComBox(&c), akControl, c, f, s); }},
        {L"edit", xcEdit,
         [](TControlAttachment& f, TComponent& c, TSkinData& s) { AttachNew(new TSkinEdit(&c), akWindow, c, f, s); }},
        {L"radiobutton", xcRadioButton,
         [](TControlAttachment& f, TComponent& c, TSkinData& s) { AttachNew(new TSkinRadioButton(&c), akControl, c, f, s); }},
        {L"panel", xcPanel,
         [](TControlAttachment& f, TComponent& c, TSkinData& s) {
             WriteProp(&c, L"Transparent", L"True");
             AttachNew(new TSkinBox(&c), akControlReplace, c, f, s);
         }},
        {L"button", xcButton,
         [](TControlAttachment& f, TComponent& c, TSkinData& s) { AttachNew(new TSkinButton(&c), akControl, c, f, s); }},
        {L"bitbtn", xcButton,
         [](TControlAttachment& f, TComponent& c, TSkinData& s) { AttachNew(new TSkinBitButton(&c), akControl, c, f, s); }},
        {L"speedbutton", xcSpeedButton,
         [](TControlAttachment& f, TComponent& c, TSkinData& s) { AttachNew(new TSkinSpeedButton(&c), akGraphic, c, f, s); }},
        {L"checkbox", xcCheckBox,
         [](TControlAttachment& f, TComponent& c, TSkinData& s) { AttachNew(new TSkinCheckBox(&c), akControl, c, f, s); }},
        {L"trackbar", xcButton,
         [](TControlAttachment& f, TComponent& c, TSkinData& s) {
             WriteProp(&c, L"Transparent", L"True");
             AttachNew(new TSkinTrackBar(&c), akControl, c, f, s);
         }},
        {L"tab", xcTab,
         [](TControlAttachment& f, TComponent& c, TSkinData& s) {
             if (s.Elements().Tabs)
                 AttachNew(new TSkinTab(&c), akWindow, c, f, s);
         }},
        {L"progress", xcProgress,
         [](TControlAttachment& f, TComponent& c, TSkinData& s) { AttachNew(new TSkinProgress(&c), akControl, c, f, s); }},
        {L"scrollbar", xcScrollbar,
         [](TControlAttachment& f, TComponent& c, TSkinData& s) {
             AttachNew(new TSkinScrollbar(&c), akScroll, c, f, s);
             f.SkinFormControls(c);
         }},
        {L"groupbox", xcGroupBox,
         [](TControlAttachment& f, TComponent& c, TSkinData& s) { AttachNew(new TSkinGroupBox(&c), akControlReplace, c, f, s); }},
    };
    for (const TKind& k : kinds) {
        if (kind != k.Name)
            continue;
        if (Has(k.Needs))
            k.Act(*this, component, *FSkin);
        return true;
    }
    // Kinds that act on the children.
    if (kind == L"container") {
        children([&](TControl& child) { SkinByThirdParty(child.ClassName(), child); });
    } else if (kind == L"embedscrollbar" && Has(xcScrollbar)) {
        children([&](TControl& child) {
            if (NeedsScrollSkin(child))
                AttachNew(new TSkinScrollbar(&child), akScroll, child, *this, *FSkin);
        });
    } else if (kind == L"radiogroup" && Has(xcRadioButton)) {
        children([&](TControl& child) {
            if (As<TWinControl>(&child))
                AttachNew(new TSkinRadioButton(&child), akControl, child, *this, *FSkin);
        });
    } else if (kind == L"checkgroup" && Has(xcPanel) && Has(xcRadioButton)) {
        children([&](TControl& child) {
            if (As<TWinControl>(&child))
                AttachNew(new TSkinCheckBox(&child), akControl, child, *this, *FSkin);
        });
    }
    // The group itself of a radio or check group.
    if ((kind == L"radiogroup" || (kind == L"checkgroup" && Has(xcPanel))) && Has(xcGroupBox))
        AttachNew(new TSkinGroupBox(&component), akControlReplace, component, *this, *FSkin);
    return true;
}

void TControlAttachment::SkinChildWindows()
{
    for (HWND child = GetTopWindow(FWindow); child; child = GetWindow(child, GW_HWNDNEXT))
        if (GetWindowLongPtrW(child, GWL_STYLE) & WS_CHILD)
            SkinChildWindow(child);
}

void TControlAttachment::SkinChildWindow(HWND handle)
{
    if (!handle || !FSkin || Find(handle))
        return;
    const std::wstring cls = Lower(ReadClassName(handle));
    const LONG_PTR style = GetWindowLongPtrW(handle, GWL_STYLE);
    TSkinControl* object = nullptr;
    HWND target = handle;
    if (cls == L"button") {
        switch (style & 0xF) {
        case 0: case 1: case 8: object = new TSkinButton(nullptr); break;
        case 2: case 3: case 5: case 6: case 10: case 11: case 13: case 14: object = new TSkinCheckBox(nullptr); break;
        case 4: case 9: case 12: object = new TSkinRadioButton(nullptr); break;
        default: break;  // group boxes
        }
    } else if (cls == L"combobox") {
        if ((style & 3) != CBS_SIMPLE)
            object = new TSkinComBox(nullptr);
    } else if (cls == L"comboboxex32") {
        target = GetTopWindow(handle);
        if (target && !Find(target))
            object = new TSkinComBox(nullptr);
    } else if (cls == L"scrollbar") {
        object = new TSkinSizer(nullptr);
    } else if (cls == L"#32770") {
        object = new TSkinBoxH(nullptr);
    } else if (cls == L"edit") {
        object = new TSkinEdit(nullptr);
    } else if (cls == L"listbox" || cls == L"syslistview32") {
        object = new TSkinScrollbarH(nullptr);
    } else if (cls == L"shelldll_defview") {
        // The file list of an open or save dialog sits inside the shell's view window.
        target = FindWindowExW(handle, nullptr, L"SysListView32", nullptr);
        if (target && !Find(target))
            object = new TSkinScrollbarH(nullptr);
    }
    if (object)
        object->AttachWindow(target, *FSkin, *this);
}

void TControlAttachment::DrawToolButton(TToolBar* toolBar, TToolButton* button, TCustomDrawState state, bool& defaultDraw)
{
    defaultDraw = true;
    if (!FSkin || !Ready() || !toolBar || !button)
        return;
    const TDataSkinButton& buttons = FSkin->Elements().Buttons;
    if (buttons.Image.Empty())
        return;
    int frame = 0;
    if (state.Contains(cdsSelected))
        frame = 2;
    else if (state.Contains(cdsFocused) || state.Contains(cdsHot))
        frame = 4;
    else if (state.Contains(cdsGrayed) || state.Contains(cdsDisabled))
        frame = 0;
    else if (state.Contains(cdsDefault))
        frame = 1;
    TCanvas& canvas = *toolBar->Canvas();
    if (frame == 1 && buttons.HasNormalColour2)
        canvas.Font().SetColor(static_cast<TColor>(buttons.NormalColour2));
    else if (frame == 4 && buttons.HasMouseOverColour2)
        canvas.Font().SetColor(static_cast<TColor>(buttons.MouseOverColour2));
    else if (frame == 2 && buttons.HasPressedColour2)
        canvas.Font().SetColor(static_cast<TColor>(buttons.PressedColour2));
    if (frame == 0)
        return;
    RECT r = button->BoundsRect();
    InflateRect(&r, -1, -1);
    try {
        DrawElement(canvas.Handle(), r, 5, frame, buttons);
    } catch (...) {
        // Drawing runs inside the tool bar's paint: the button keeps the tool bar's own look.
    }
}
