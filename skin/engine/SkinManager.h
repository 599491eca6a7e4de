// TSkinManager: the one object of the skin engine that decides which windows are skinned.
// It hooks window creation, activation and destruction on the GUI thread (WH_CBT), keeps
// the registered skin components and the form skinning objects of the skinned windows,
// and switches skinning on and off or re-applies a changed skin through a timer 250 ms
// after it was asked, so that attaching never runs inside the property setter or the
// message that asked for it.
//
// app/ registers it with the skin component at start (RegisterSkinManager); the skin and
// framework are static libraries, and a self-registering object file would be dropped.
#pragma once

#include "skin/SkinManagerLink.h"
#include "skin/engine/menus/PopupBackgrounds.h"

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

class TCustomForm;
class TFormSkin;
class TPopupMenuSkin;
class TSkinData;
class TTimer;

class TSkinManager : public ISkinManager {
public:
    TSkinManager();
    // Removes the hook, gives every skinned window its native frame back and frees every
    // form object, also those its framework form would have freed.
    ~TSkinManager() override;
    TSkinManager(const TSkinManager&) = delete;
    TSkinManager& operator=(const TSkinManager&) = delete;

    void RegisterSkin(TSkinData* skin) override;
    void UnregisterSkin(TSkinData* skin) override;
    void InstallHook() override;
    void ScheduleAction(TSkinAction action, int delayMs) override;
    void PrepareSkinReload() override;
    bool SkinWindow(HWND window) override;
    bool Enabled() const override { return FEnabled; }
    void SetEnabled(bool enabled) override { FEnabled = enabled; }
    int StartState() const override { return FStartState; }
    void SetStartState(int state) override { FStartState = state; }
    void SetPendingSkin(TSkinData* skin) override { FPendingSkin = skin; }

    void SkinForm(TCustomForm& form);
    TFormSkin* FindForm(HWND window) const;
    // Called by a form object that is being freed.
    void RemoveForm(TFormSkin* form);
    // Frees every form object whose window is gone.
    void PurgeDeadForms();
    TSkinData* ChooseSkin(HWND window) const;
    // The timer's work: switch on, switch off, re-apply or purge, for the pending skin.
    void ApplyPendingAction();

    // Popup menu windows (class "#32768"): skinned from their creation to their destruction.
    void SkinPopupMenu(HWND window);
    bool UnskinPopupMenu(HWND window);
    bool IsPopupSkinned(HWND window) const;
    // Popup menus are skinned while skinning is on, and also while it is only paused
    // (SetEnabled(false) around the full-screen picture) with forms still skinned: their
    // menus' items keep the skin's drawing, and their popup windows keep the matching frame.
    bool SkinsPopups() const { return FEnabled || !FForms.empty(); }
    // The skinned popup window that shows menu and has rendered its background; null when
    // there is none.
    const TPopupMenuSkin* PopupBackground(HMENU menu) const;
    // A popup that painted before it knew its menu takes the menu of the next item drawn.
    void SetUnboundPopup(TPopupMenuSkin* popup) { FUnboundPopup = popup; }
    void BindUnboundPopup(HMENU menu);
    // Called by a popup object whose window went without a destruction notice.
    void PopupWindowGone(TPopupMenuSkin* popup);
    const std::vector<std::unique_ptr<TPopupMenuSkin>>& PopupMenus() const { return FPopupMenus; }

    // Shared state the frame and menu code reads and writes.
    int MenuKind = 0;  // 0 context menu, 1 menu-bar drop-down, 2 window menu
    bool TrackingMenuBar = false;  // a drop-down of a skinned menu bar is open
    TPopupBackgrounds PopupPictures;  // rendered MenuBackground pictures by size

    const std::vector<TFormSkin*>& Forms() const { return FForms; }
    const std::vector<TSkinData*>& Skins() const { return FSkins; }
    TSkinData* MainSkin() const { return FMainSkin; }
    TSkinData* PendingSkin() const { return FPendingSkin; }
    int PendingAction() const { return FPendingAction; }
    bool TimerEnabled() const;
    HHOOK Hook() const { return FHook; }
    DWORD WindowsVersion() const { return FWindowsVersion; }

private:
    static LRESULT CALLBACK CbtProc(int code, WPARAM wParam, LPARAM lParam);
    void CbtNotice(int code, WPARAM wParam, LPARAM lParam);
    void SwitchOn(TSkinData& skin);
    void SwitchOff(TSkinData* onlySkin);
    void Reapply(TSkinData& skin, bool firstOnly);
    void FreeForm(TFormSkin* form, bool unskin);

    std::unique_ptr<TTimer> FTimer;
    HHOOK FHook = nullptr;
    DWORD FWindowsVersion = 0;
    std::vector<TFormSkin*> FForms;
    std::vector<std::unique_ptr<TPopupMenuSkin>> FPopupMenus;
    TPopupMenuSkin* FUnboundPopup = nullptr;
    std::vector<TSkinData*> FSkins;
    bool FEnabled = false;
    bool FBulkAttach = false;
    int FStartState = 0;
    int FPendingAction = 0;
    TSkinData* FPendingSkin = nullptr;
    TSkinData* FMainSkin = nullptr;
};

// Makes the skin component create a TSkinManager when it first needs one.
void RegisterSkinManager();
