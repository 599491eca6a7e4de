// TComponent: the base of everything placed on a form. A component is owned by its Owner,
// which frees it — the owned components are freed in reverse creation order before the
// owner itself goes. References between components that are not ownership (a member's
// FilterGraph, a control's PopupMenu) are kept safe by Notification: when a component is
// destroyed, its owner's components and every component that asked with FreeNotification
// (also on other forms) get Notification(component, opRemove) and clear their references.
// Free a component with Free() (or let its owner do it), so that it is still whole while
// it takes down what it owns.
#pragma once
#include "framework/ClassInfo.h"
#include "framework/Properties.h"
#include "framework/Set.h"

#include <string>
#include <vector>

class TFiler;

enum TOperation { opInsert, opRemove };
KIVORA_ENUM_NAMES(TOperation, L"opInsert", L"opRemove")

enum TComponentStateFlag { csLoading, csReading, csWriting, csDestroying, csDesigning };
KIVORA_ENUM_NAMES(TComponentStateFlag, L"csLoading", L"csReading", L"csWriting", L"csDestroying", L"csDesigning")
using TComponentState = TSet<TComponentStateFlag>;

class TComponent : public TObject {
    KIVORA_CLASS(TComponent, TObject)
public:
    explicit TComponent(TComponent* owner);
    ~TComponent() override;
    TComponent(const TComponent&) = delete;
    TComponent& operator=(const TComponent&) = delete;

    // Destroys the component: BeforeDestruction (notifications, owned components freed
    // while this object is still whole), then delete.
    void Free();

    const std::wstring& Name() const { return FName; }
    // Names are unique among the components of one owner (case-insensitive): a duplicate
    // raises EComponentError.
    void SetName(const std::wstring& name);
    int Tag() const { return FTag; }
    void SetTag(int tag) { FTag = tag; }

    TComponent* Owner() const { return FOwner; }
    int ComponentCount() const { return static_cast<int>(FComponents.size()); }
    TComponent* Components(int index) const { return FComponents.at(static_cast<size_t>(index)); }
    const std::vector<TComponent*>& ComponentList() const { return FComponents; }
    int ComponentIndex() const;
    TComponent* FindComponent(const std::wstring& name) const;
    void InsertComponent(TComponent* component);
    void RemoveComponent(TComponent* component);
    // Frees every owned component, the last created first.
    void DestroyComponents();

    TComponentState ComponentState() const { return FComponentState; }
    void SetDesigning(bool designing);

    // Asks to be told (Notification opRemove) when `component` is destroyed; either side's
    // destruction ends the arrangement.
    void FreeNotification(TComponent* component);
    void RemoveFreeNotification(TComponent* component);
    // Called when `component` is inserted into or removed from the owner, and when a
    // component this one registered with is destroyed. Overrides clear their references
    // and call the inherited one, which passes the notice on to the owned components.
    virtual void Notification(TComponent* component, TOperation operation);

    // Reading: a component created while its owner is loading starts in csLoading; after
    // the form's design values are all set, Loaded() runs on every component in creation
    // order and clears the flag. BeginLoading marks a root before its components are made.
    virtual void Loaded();
    void BeginLoading() { FComponentState.Include(csLoading); }

    // Binary stored properties (see Filer.h): a component announces them here.
    virtual void DefineProperties(TFiler& filer);

protected:
    // Runs before the destructors: sets csDestroying, tells the registered components and
    // frees the owned ones. Overrides (a form's OnDestroy) call the inherited one last.
    virtual void BeforeDestruction();
    void Destroying() { FComponentState.Include(csDestroying); }

private:
    void TearDown();
    std::wstring FName;
    int FTag = 0;
    TComponent* FOwner = nullptr;
    std::vector<TComponent*> FComponents;
    std::vector<TComponent*> FFreeNotifies;
    TComponentState FComponentState;
    bool FTornDown = false;
};
