#include "framework/Actions.h"

#include <algorithm>

const TClassInfo& TAction::StaticClass()
{
    static const TClassInfo info(L"TAction", &TComponent::StaticClass(), {
        ObjProp(L"ActionList", &TAction::ActionList, &TAction::SetActionList),
        StrProp(L"Caption", &TAction::Caption, &TAction::SetCaption),
        StrProp(L"Hint", &TAction::Hint, &TAction::SetHint),
        BoolProp(L"Checked", &TAction::Checked, &TAction::SetChecked),
        BoolProp(L"Enabled", &TAction::Enabled, &TAction::SetEnabled),
        BoolProp(L"Visible", &TAction::Visible, &TAction::SetVisible),
        IntProp(L"ImageIndex", &TAction::ImageIndex, &TAction::SetImageIndex),
        EventProp(L"OnExecute", &TAction::OnExecute),
    });
    return info;
}

const TClassInfo& TActionList::StaticClass()
{
    static const TClassInfo info(L"TActionList", &TComponent::StaticClass());
    return info;
}

TAction::TAction(TComponent* owner) : TComponent(owner) {}

TAction::~TAction()
{
    SetActionList(nullptr);
}

void TAction::SetActionList(TActionList* list)
{
    if (list == FActionList)
        return;
    if (FActionList) {
        auto& actions = FActionList->FActions;
        actions.erase(std::remove(actions.begin(), actions.end(), this), actions.end());
    }
    FActionList = list;
    if (list)
        list->FActions.push_back(this);
}

TActionList::~TActionList()
{
    for (TAction* action : std::vector<TAction*>(FActions))
        action->SetActionList(nullptr);
}

void TAction::Changed()
{
    for (TActionClient* client : std::vector<TActionClient*>(FClients))
        client->ActionChanged(this);
}

void TAction::SetCaption(const std::wstring& caption)
{
    if (caption != FCaption) {
        FCaption = caption;
        Changed();
    }
}

void TAction::SetHint(const std::wstring& hint)
{
    if (hint != FHint) {
        FHint = hint;
        Changed();
    }
}

void TAction::SetChecked(bool checked)
{
    if (checked != FChecked) {
        FChecked = checked;
        Changed();
    }
}

void TAction::SetEnabled(bool enabled)
{
    if (enabled != FEnabled) {
        FEnabled = enabled;
        Changed();
    }
}

void TAction::SetVisible(bool visible)
{
    if (visible != FVisible) {
        FVisible = visible;
        Changed();
    }
}

void TAction::SetImageIndex(int index)
{
    if (index != FImageIndex) {
        FImageIndex = index;
        Changed();
    }
}

bool TAction::Execute()
{
    if (!OnExecute || !FEnabled)
        return false;
    OnExecute(this);
    return true;
}

void TAction::RegisterClient(TActionClient* client)
{
    if (std::find(FClients.begin(), FClients.end(), client) == FClients.end())
        FClients.push_back(client);
}

void TAction::UnregisterClient(TActionClient* client)
{
    FClients.erase(std::remove(FClients.begin(), FClients.end(), client), FClients.end());
}

bool RelinkAction(TAction*& field, TAction* action, TActionClient& client, TComponent& component)
{
    if (action == field)
        return false;
    if (field) {
        field->UnregisterClient(&client);
        field->RemoveFreeNotification(&component);
    }
    field = action;
    if (action) {
        action->RegisterClient(&client);
        action->FreeNotification(&component);
    }
    return true;
}
