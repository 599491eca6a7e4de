#include "framework/Component.h"
#include "framework/Exceptions.h"
#include "framework/Text.h"

#include <algorithm>

const TClassInfo& TComponent::StaticClass()
{
    static const TClassInfo info(L"TComponent", &TObject::StaticClass(), {
        StrProp(L"Name", &TComponent::Name, &TComponent::SetName),
        IntProp(L"Tag", &TComponent::Tag, &TComponent::SetTag),
    });
    return info;
}

TComponent::TComponent(TComponent* owner)
{
    if (owner) {
        if (owner->FComponentState.Contains(csLoading))
            FComponentState.Include(csLoading);
        if (owner->FComponentState.Contains(csDesigning))
            FComponentState.Include(csDesigning);
        owner->InsertComponent(this);
    }
}

TComponent::~TComponent()
{
    TearDown();
}

void TComponent::Free()
{
    BeforeDestruction();
    delete this;
}

void TComponent::BeforeDestruction()
{
    TearDown();
}

void TComponent::TearDown()
{
    if (FTornDown)
        return;
    FTornDown = true;
    Destroying();
    // Everyone who holds a reference to this component lets go of it first.
    while (!FFreeNotifies.empty()) {
        TComponent* other = FFreeNotifies.back();
        FFreeNotifies.pop_back();
        auto& back = other->FFreeNotifies;
        back.erase(std::remove(back.begin(), back.end(), this), back.end());
        other->Notification(this, opRemove);
    }
    DestroyComponents();
    if (FOwner)
        FOwner->RemoveComponent(this);
}

void TComponent::SetName(const std::wstring& name)
{
    if (name == FName)
        return;
    if (FOwner && !name.empty())
        for (TComponent* sibling : FOwner->FComponents)
            if (sibling != this && SameText(sibling->FName, name))
                throw EComponentError(L"A component named " + name + L" already exists");
    FName = name;
}

int TComponent::ComponentIndex() const
{
    if (!FOwner)
        return -1;
    auto& list = FOwner->FComponents;
    return static_cast<int>(std::find(list.begin(), list.end(), this) - list.begin());
}

TComponent* TComponent::FindComponent(const std::wstring& name) const
{
    for (TComponent* c : FComponents)
        if (!name.empty() && SameText(c->FName, name))
            return c;
    return nullptr;
}

void TComponent::InsertComponent(TComponent* component)
{
    if (component->FOwner)
        component->FOwner->RemoveComponent(component);
    FComponents.push_back(component);
    component->FOwner = this;
    Notification(component, opInsert);
}

void TComponent::RemoveComponent(TComponent* component)
{
    if (std::find(FComponents.begin(), FComponents.end(), component) == FComponents.end())
        return;
    Notification(component, opRemove);
    // The notices may have changed the list; look the component up again.
    FComponents.erase(std::find(FComponents.begin(), FComponents.end(), component));
    component->FOwner = nullptr;
}

void TComponent::DestroyComponents()
{
    while (!FComponents.empty()) {
        TComponent* last = FComponents.back();
        last->Free(); // removes itself from FComponents
        if (!FComponents.empty() && FComponents.back() == last)
            FComponents.pop_back();
    }
}

void TComponent::SetDesigning(bool designing)
{
    if (designing)
        FComponentState.Include(csDesigning);
    else
        FComponentState.Exclude(csDesigning);
}

void TComponent::FreeNotification(TComponent* component)
{
    if (!component || component == this)
        return;
    if (std::find(FFreeNotifies.begin(), FFreeNotifies.end(), component) == FFreeNotifies.end())
        FFreeNotifies.push_back(component);
    auto& back = component->FFreeNotifies;
    if (std::find(back.begin(), back.end(), this) == back.end())
        back.push_back(this);
}

void TComponent::RemoveFreeNotification(TComponent* component)
{
    if (!component)
        return;
    FFreeNotifies.erase(std::remove(FFreeNotifies.begin(), FFreeNotifies.end(), component), FFreeNotifies.end());
    auto& back = component->FFreeNotifies;
    back.erase(std::remove(back.begin(), back.end(), this), back.end());
}

void TComponent::Notification(TComponent* component, TOperation operation)
{
    if (operation == opRemove && component)
        RemoveFreeNotification(component);
    // The owned components hear about each other: a sibling removed from the form clears
    // references to it without registering for it.
    for (size_t i = 0; i < FComponents.size(); ++i)
        if (FComponents[i] != component)
            FComponents[i]->Notification(component, operation);
}

void TComponent::Loaded()
{
    FComponentState.Exclude(csLoading);
}

void TComponent::DefineProperties(TFiler&) {}
