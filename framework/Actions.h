// TAction / TActionList: a command shared by menu items and tool buttons. Linked clients
// (TActionClient: TMenuItem, TToolButton) follow the action's Checked, Enabled and
// Visible, and its Caption and Hint while they have not been given their own; running a
// linked client runs the action's OnExecute.
#pragma once
#include "framework/Component.h"
#include "framework/Event.h"

#include <string>
#include <vector>

class TAction;
class TActionList;

// What a component linked to an action implements to follow it.
class TActionClient {
public:
    virtual ~TActionClient() = default;
    virtual void ActionChanged(TAction* action) = 0;
};

class TAction : public TComponent {
    KIVORA_CLASS(TAction, TComponent)
public:
    explicit TAction(TComponent* owner);
    ~TAction() override;

    TActionList* ActionList() const { return FActionList; }
    void SetActionList(TActionList* list);
    const std::wstring& Caption() const { return FCaption; }
    void SetCaption(const std::wstring& caption);
    const std::wstring& Hint() const { return FHint; }
    void SetHint(const std::wstring& hint);
    bool Checked() const { return FChecked; }
    void SetChecked(bool checked);
    bool Enabled() const { return FEnabled; }
    void SetEnabled(bool enabled);
    bool Visible() const { return FVisible; }
    void SetVisible(bool visible);
    int ImageIndex() const { return FImageIndex; }
    void SetImageIndex(int index);

    // Runs OnExecute; answers whether a handler ran.
    virtual bool Execute();

    void RegisterClient(TActionClient* client);
    void UnregisterClient(TActionClient* client);

    TNotifyEvent OnExecute;

private:
    void Changed();
    TActionList* FActionList = nullptr;
    std::wstring FCaption, FHint;
    bool FChecked = false, FEnabled = true, FVisible = true;
    int FImageIndex = -1;
    std::vector<TActionClient*> FClients;
};

// Moves a client's link (field) to `action`: the client hears the action's changes and
// (through `component`) its destruction. Answers false when the link was already there.
bool RelinkAction(TAction*& field, TAction* action, TActionClient& client, TComponent& component);

class TActionList : public TComponent {
    KIVORA_CLASS(TActionList, TComponent)
public:
    using TComponent::TComponent;
    ~TActionList() override;
    int ActionCount() const { return static_cast<int>(FActions.size()); }
    TAction* Actions(int index) const { return FActions.at(static_cast<size_t>(index)); }

private:
    friend class TAction;
    std::vector<TAction*> FActions;
};
