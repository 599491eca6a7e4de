// What a skin component asks of the skin manager, the one process-wide object that hooks
// window creation and skins windows. The manager implements this interface; until it is
// registered (and in tests, with a stand-in), skin components load and parse skins but
// nothing is skinned.
#pragma once

#include <windows.h>

#include <functional>
#include <memory>

class TSkinData;

// Actions the manager's timer runs after a delay.
enum TSkinAction { saSwitchOn = 1, saSwitchOff = 2, saReapply = 3, saPurgeForms = 6 };

class ISkinManager {
public:
    virtual ~ISkinManager() = default;
    virtual void RegisterSkin(TSkinData* skin) = 0;
    // Forgets the component (also as the main or pending skin).
    virtual void UnregisterSkin(TSkinData* skin) = 0;
    // Installs the window-creation hook on the calling (GUI) thread.
    virtual void InstallHook() = 0;
    virtual void ScheduleAction(TSkinAction action, int delayMs) = 0;
    // Frees what points into the pending skin's element records before they are re-read.
    virtual void PrepareSkinReload() = 0;
    // Attaches a form skinning object to a top-level window now; true when one was attached.
    virtual bool SkinWindow(HWND window) = 0;

    virtual bool Enabled() const = 0;
    virtual void SetEnabled(bool enabled) = 0;
    // 0 before any window was activated or skin applied, 1 afterwards (see the manager).
    virtual int StartState() const = 0;
    virtual void SetStartState(int state) = 0;
    virtual void SetPendingSkin(TSkinData* skin) = 0;
};

using TSkinManagerFactory = std::function<std::unique_ptr<ISkinManager>()>;

// The one manager, or null before it is created (and when no factory is set).
ISkinManager* SkinManager();
// Creates the manager through the factory when there is none yet; returns it (or null).
ISkinManager* EnsureSkinManager();
// The manager's code registers how it is made. Setting a factory does not create one.
void SetSkinManagerFactory(TSkinManagerFactory factory);
// Destroys the manager (at program end; tests between cases).
void DestroySkinManager();
