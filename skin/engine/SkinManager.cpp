#include "skin/engine/SkinManager.h"

#include "skin/SkinData.h"
#include "skin/engine/SkinMessages.h"
#include "skin/engine/WindowText.h"
#include "skin/engine/controls/ControlAttachment.h"
#include "skin/engine/frames/FormSkin.h"
#include "skin/engine/menus/PopupMenuSkin.h"
#include "framework/Application.h"
#include "framework/Form.h"
#include "framework/Timer.h"

#include <algorithm>
#include <cwctype>

namespace {

// The manager whose hook is installed. A thread hook has no context of its own.
TSkinManager* gHookOwner = nullptr;

constexpr int kStartDestroying = 4;

std::wstring Lower(std::wstring text)
{
    for (wchar_t& c : text)
        c = static_cast<wchar_t>(std::towlower(c));
    return text;
}

bool IsMdiChildForm(HWND window)
{
    return (GetWindowLongPtrW(window, GWL_EXSTYLE) & WS_EX_MDICHILD) != 0;
}

}  // namespace

TSkinManager::TSkinManager() : FTimer(std::make_unique<TTimer>(nullptr))
{
    FTimer->SetEnabled(false);
    FTimer->SetInterval(250);
    FTimer->OnTimer = [this](TObject*) { ApplyPendingAction(); };
}

TSkinManager::~TSkinManager()
{
    FStartState = kStartDestroying;
    FTimer.reset();
    if (FHook) {
        UnhookWindowsHookEx(FHook);
        FHook = nullptr;
    }
    if (gHookOwner == this)
        gHookOwner = nullptr;
    FUnboundPopup = nullptr;
    FPopupMenus.clear();  // each gives its window its procedure back
    PopupPictures.Clear();
    // Every form object points at this manager: none may outlive it. Windows still alive
    // get their native frame back.
    while (!FForms.empty())
        FreeForm(FForms.back(), true);
}

void TSkinManager::RegisterSkin(TSkinData* skin)
{
    if (!skin || std::find(FSkins.begin(), FSkins.end(), skin) != FSkins.end())
        return;
    FSkins.push_back(skin);
    if (!FMainSkin && skin->SkinFormtype() == sfMainform)
        FMainSkin = skin;
}

void TSkinManager::UnregisterSkin(TSkinData* skin)
{
    FSkins.erase(std::remove(FSkins.begin(), FSkins.end(), skin), FSkins.end());
    if (FMainSkin == skin)
        FMainSkin = nullptr;
    if (FPendingSkin == skin)
        FPendingSkin = nullptr;
    PopupPictures.Forget(skin);
    // Form objects draw from the skin's records: those of a skin going away are freed now.
    for (std::size_t i = FForms.size(); i-- > 0;)
        if (i < FForms.size() && FForms[i]->Skin() == skin)
            FreeForm(FForms[i], true);
}

void TSkinManager::InstallHook()
{
    if (FHook)
        return;
    FWindowsVersion = GetVersion();
    FHook = SetWindowsHookExW(WH_CBT, CbtProc, nullptr, GetCurrentThreadId());
    if (FHook)
        gHookOwner = this;
}

void TSkinManager::ScheduleAction(TSkinAction action, int delayMs)
{
    FPendingAction = action;
    FTimer->SetInterval(static_cast<unsigned>(std::max(delayMs, 1)));
    if (FStartState != 0) {
        FTimer->SetEnabled(true);
        return;
    }
    // Nothing was activated yet: windows are skinned one by one as they are activated.
    if (action == saSwitchOn)
        FEnabled = true;
    else if (action == saSwitchOff)
        FEnabled = false;
}

void TSkinManager::PrepareSkinReload()
{
    PopupPictures.Forget(FPendingSkin);
    for (TFormSkin* form : FForms)
        if (form->Skin() == FPendingSkin)
            form->FreeTitleButtons();
}

LRESULT CALLBACK TSkinManager::CbtProc(int code, WPARAM wParam, LPARAM lParam)
{
    // Nothing may leave a hook: a failure here leaves the window unskinned.
    try {
        if (gHookOwner)
            gHookOwner->CbtNotice(code, wParam, lParam);
    } catch (...) {
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

void TSkinManager::CbtNotice(int code, WPARAM wParam, LPARAM lParam)
{
    // A popup object goes with its window also while skinning is off: it would otherwise
    // stay listed, hooked to a handle that may soon name another window.
    if (code == HCBT_DESTROYWND) {
        UnskinPopupMenu(reinterpret_cast<HWND>(wParam));
        return;
    }
    if (code == HCBT_CREATEWND && !FEnabled && SkinsPopups()) {
        if (ReadClassName(reinterpret_cast<HWND>(wParam)) == L"#32768")
            SkinPopupMenu(reinterpret_cast<HWND>(wParam));
        return;
    }
    if (code < 0 || !FEnabled) {
        if (code == HCBT_ACTIVATE && FStartState == 0)
            FStartState = 1;
        return;
    }
    const HWND window = reinterpret_cast<HWND>(wParam);
    switch (code) {
    case HCBT_CREATEWND: {
        const auto* create = reinterpret_cast<const CBT_CREATEWNDW*>(lParam);
        if (!create || !create->lpcs)
            return;
        // A size grip made while its window is skinned gets the face colour too.
        if ((create->lpcs->style & SBS_SIZEGRIP) && ReadClassName(window) == L"ScrollBar")
            if (TFormSkin* form = FindForm(create->lpcs->hwndParent))
                form->Controls().SkinChildWindow(window);
        if (create->lpcs->style & WS_CHILD)
            return;
        const std::wstring className = ReadClassName(window);
        if (className == L"#32768")
            SkinPopupMenu(window);
        if (FMainSkin && FMainSkin->OnCreateWindow) {
            try {
                FMainSkin->OnCreateWindow(FMainSkin, window, className);
            } catch (...) {
                // the application's handler failed: the window is created all the same
            }
        }
        return;
    }
    case HCBT_ACTIVATE:
        if (FStartState == 0)
            FStartState = 1;
        SkinWindow(window);
        return;
    case HCBT_SETFOCUS:
        // An MDI child is activated by its client without an activation notice: it is
        // skinned when the focus comes into it.
        for (HWND w = window; w; w = GetParent(w))
            if (IsMdiChildForm(w)) {
                if (!FindForm(w))
                    SkinWindow(w);
                break;
            }
        return;
    default:
        return;
    }
}

bool TSkinManager::SkinWindow(HWND window)
{
    if (!FEnabled || !IsWindow(window))
        return false;
    // Only windows of this thread: another thread's window procedure cannot be hooked here.
    if (GetWindowThreadProcessId(window, nullptr) != GetCurrentThreadId())
        return false;
    PurgeDeadForms();
    if (SendMessageW(window, WM_SKINQUERY, 0, 0) == 1 || FindForm(window))
        return false;
    TCustomForm* form = Application ? Application->FindFrameworkForm(window) : nullptr;
    const LONG_PTR style = GetWindowLongPtrW(window, GWL_STYLE);
    if (!FBulkAttach && (style & WS_CHILD)) {
        const HWND parent = GetParent(window);
        if (!parent || Lower(ReadClassName(parent)) != L"mdiclient")
            return false;
    }
    RECT r{};
    GetWindowRect(window, &r);
    if (static_cast<long long>(r.right - r.left) * (r.bottom - r.top) == 0)
        return false;
    if (form && form->Tag() == 99)
        return false;
    const std::wstring className = ReadClassName(window);
    if (className == L"TApplication" || className == L"TQRStandardPreview")
        return false;
    bool doSkin = true;
    if (FMainSkin)
        FMainSkin->FormFilter(className, doSkin);
    if (!doSkin)
        return false;
    TSkinData* skin = ChooseSkin(window);
    if (!skin || skin->Empty())
        return false;
    auto* skinned = new TFormSkin(form, *this, window);
    FForms.push_back(skinned);
    if (form)
        skinned->AttachForm(*skin, *form);
    else
        skinned->Attach(*skin);
    PostMessageW(window, WM_SKINATTACH, 0, 1000);
    return true;
}

void TSkinManager::SkinPopupMenu(HWND window)
{
    if (!SkinsPopups() || SendMessageW(window, WM_SKINQUERY, 0, 0) == 1 || IsPopupSkinned(window))
        return;
    TSkinData* skin = ChooseSkin(window);
    if (!skin || skin->Empty())
        return;
    const TSkinControlTypes controls = skin->SkinControls();
    switch (MenuKind) {
    case 0:
        if (!controls.Contains(xcPopupMenu))
            return;
        break;
    case 1:
        if (!controls.Contains(xcMainMenu) && !controls.Contains(xcMenuItem))
            return;
        break;
    case 2:
        if (!controls.Contains(xcSystemMenu))
            return;
        break;
    default: break;
    }
    auto popup = std::make_unique<TPopupMenuSkin>(*this, window, *skin);
    popup->Subclass();
    FPopupMenus.push_back(std::move(popup));
}

bool TSkinManager::UnskinPopupMenu(HWND window)
{
    const auto it = std::find_if(FPopupMenus.begin(), FPopupMenus.end(),
                                 [&](const auto& popup) { return popup->Handle() == window; });
    if (it == FPopupMenus.end())
        return false;
    PopupWindowGone(it->get());
    return true;
}

void TSkinManager::PopupWindowGone(TPopupMenuSkin* popup)
{
    if (FUnboundPopup == popup)
        FUnboundPopup = nullptr;
    const auto it = std::find_if(FPopupMenus.begin(), FPopupMenus.end(),
                                 [&](const auto& entry) { return entry.get() == popup; });
    if (it == FPopupMenus.end())
        return;
    // Out of the list first: freeing it unhooks the window, which may call back.
    std::unique_ptr<TPopupMenuSkin> gone = std::move(*it);
    FPopupMenus.erase(it);
    gone.reset();
    if (FPopupMenus.empty()) {
        TrackingMenuBar = false;
        MenuKind = 0;
    }
}

bool TSkinManager::IsPopupSkinned(HWND window) const
{
    return std::any_of(FPopupMenus.begin(), FPopupMenus.end(),
                       [&](const auto& popup) { return popup->Handle() == window; });
}

const TPopupMenuSkin* TSkinManager::PopupBackground(HMENU menu) const
{
    if (!menu)
        return nullptr;
    for (const auto& popup : FPopupMenus)
        if (popup->MenuHandle() == menu && popup->Background())
            return popup.get();
    return nullptr;
}

void TSkinManager::BindUnboundPopup(HMENU menu)
{
    if (FUnboundPopup && menu) {
        FUnboundPopup->BindMenu(menu);
        FUnboundPopup = nullptr;
    }
}

void TSkinManager::SkinForm(TCustomForm& form)
{
    if (!form.Visible() || !form.HandleAllocated())
        return;
    const HWND window = form.Handle();
    if ((GetWindowLongPtrW(window, GWL_STYLE) & WS_CHILD) && !IsMdiChildForm(window))
        return;
    SkinWindow(window);
}

TFormSkin* TSkinManager::FindForm(HWND window) const
{
    for (TFormSkin* form : FForms)
        if (form->Handle() == window)
            return form;
    return nullptr;
}

void TSkinManager::RemoveForm(TFormSkin* form)
{
    FForms.erase(std::remove(FForms.begin(), FForms.end(), form), FForms.end());
}

void TSkinManager::FreeForm(TFormSkin* form, bool unskin)
{
    RemoveForm(form);
    if (unskin && form->State() != fsDead && IsWindow(form->Handle()))
        form->Unskin();
    delete form;  // a form's component: it leaves its owner's list
}

void TSkinManager::PurgeDeadForms()
{
    for (std::size_t i = FForms.size(); i-- > 0;)
        if (i < FForms.size() && FForms[i]->State() == fsDead)
            FreeForm(FForms[i], false);
}

TSkinData* TSkinManager::ChooseSkin(HWND window) const
{
    TSkinData* found = nullptr;
    for (TSkinData* skin : FSkins) {
        if (skin->SkinFormtype() != sfOnlyThisForm)
            continue;
        auto* owner = As<TWinControl>(skin->Owner());
        if (owner && owner->HandleAllocated() && owner->Handle() == window)
            found = skin;
    }
    if (found)
        return found;
    const std::wstring className = Lower(ReadClassName(window));
    if (className == L"tmessageform" || className == L"#32770") {
        for (TSkinData* skin : FSkins)
            if (skin->SkinFormtype() == sfDialog)
                found = skin;
        if (found)
            return found;
    }
    for (TSkinData* skin : FSkins)
        if (skin->SkinFormtype() == sfMainform)
            found = skin;
    if (found)
        return found;
    return FSkins.empty() ? nullptr : FSkins.front();
}

bool TSkinManager::TimerEnabled() const
{
    return FTimer && FTimer->Enabled();
}

void TSkinManager::SwitchOn(TSkinData& skin)
{
    FEnabled = true;
    FBulkAttach = true;
    PurgeDeadForms();
    const std::vector<TCustomForm*> forms = Application ? Application->FormsInZOrder() : std::vector<TCustomForm*>{};
    for (auto it = forms.rbegin(); it != forms.rend(); ++it) {
        if (skin.SkinFormtype() == sfOnlyThisForm && *it != skin.Owner())
            continue;
        SkinForm(**it);
        if (skin.SkinFormtype() == sfOnlyThisForm)
            break;
    }
    FBulkAttach = false;
}

void TSkinManager::SwitchOff(TSkinData* onlySkin)
{
    FEnabled = false;
    PurgeDeadForms();
    for (std::size_t i = FForms.size(); i-- > 0;) {
        if (i >= FForms.size())
            continue;
        TFormSkin* form = FForms[i];
        if (onlySkin && form->Skin() != onlySkin)
            continue;
        const HWND window = form->Handle();
        FreeForm(form, true);
        RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_UPDATENOW | RDW_ALLCHILDREN);
        if (onlySkin)
            break;
    }
}

void TSkinManager::Reapply(TSkinData& skin, bool firstOnly)
{
    PurgeDeadForms();
    // All geometry first, then the repaints, so no form paints with another's old frame.
    std::vector<TFormSkin*> mine;
    for (TFormSkin* form : FForms) {
        if (form->Skin() != &skin)
            continue;
        form->FreeTitleButtons();
        form->UpdateGeometry();
        mine.push_back(form);
        if (firstOnly)
            break;
    }
    for (TFormSkin* form : mine)
        form->RefreshSkin();
}

void TSkinManager::ApplyPendingAction()
{
    TSkinData* skin = FPendingSkin;
    FTimer->SetEnabled(false);  // one run per request, also when the skin went away meanwhile
    if (!skin)
        return;
    const bool onlyThisForm = skin->SkinFormtype() == sfOnlyThisForm;
    switch (FPendingAction) {
    case saSwitchOn: SwitchOn(*skin); break;
    case saSwitchOff: SwitchOff(onlyThisForm ? skin : nullptr); break;
    case saReapply: Reapply(*skin, onlyThisForm); break;
    case saPurgeForms: PurgeDeadForms(); break;
    default: break;
    }
    FPendingSkin = nullptr;
    skin->DoSkinChanged();
}

void RegisterSkinManager()
{
    SetSkinManagerFactory([] { return std::make_unique<TSkinManager>(); });
}
