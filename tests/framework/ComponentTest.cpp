// Ownership, destruction order, names and notifications between components.
#include "framework/Component.h"
#include "framework/Exceptions.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// Records its own destruction into a shared log.
class TLogged : public TComponent {
public:
    TLogged(TComponent* owner, std::wstring name, std::vector<std::wstring>& log) : TComponent(owner), FLog(log)
    {
        SetName(name);
    }
    ~TLogged() override { FLog.push_back(Name()); }

private:
    std::vector<std::wstring>& FLog;
};

// Holds a non-owning reference to a component, as a media component holds its graph.
class THolder : public TComponent {
public:
    using TComponent::TComponent;
    TComponent* Target() const { return FTarget; }
    void SetTarget(TComponent* target)
    {
        if (FTarget)
            FTarget->RemoveFreeNotification(this);
        FTarget = target;
        if (target)
            target->FreeNotification(this);
    }
    void Notification(TComponent* component, TOperation operation) override
    {
        if (operation == opRemove && component == FTarget)
            FTarget = nullptr;
        TComponent::Notification(component, operation);
    }

private:
    TComponent* FTarget = nullptr;
};

TEST(Component, OwnerFreesOwnedComponentsInReverseCreationOrder)
{
    std::vector<std::wstring> log;
    auto* root = new TLogged(nullptr, L"Root", log);
    auto* a = new TLogged(root, L"A", log);
    new TLogged(a, L"A1", log);
    new TLogged(root, L"B", log);
    new TLogged(root, L"C", log);
    EXPECT_EQ(root->ComponentCount(), 3);
    EXPECT_EQ(a->Owner(), root);
    EXPECT_EQ(root->FindComponent(L"b")->Name(), L"B");
    root->Free();
    EXPECT_EQ(log, (std::vector<std::wstring>{L"C", L"B", L"A1", L"A", L"Root"}));
}

TEST(Component, FreeingAnOwnedComponentRemovesItFromItsOwner)
{
    std::vector<std::wstring> log;
    auto* root = new TLogged(nullptr, L"Root", log);
    auto* a = new TLogged(root, L"A", log);
    auto* b = new TLogged(root, L"B", log);
    a->Free();
    ASSERT_EQ(root->ComponentCount(), 1);
    EXPECT_EQ(root->Components(0), b);
    EXPECT_EQ(b->ComponentIndex(), 0);
    root->Free();
    EXPECT_EQ(log, (std::vector<std::wstring>{L"A", L"B", L"Root"}));
}

TEST(Component, DuplicateNameUnderOneOwnerIsRefused)
{
    TComponent root(nullptr);
    auto* a = new TComponent(&root);
    a->SetName(L"Timer");
    auto* b = new TComponent(&root);
    EXPECT_THROW(b->SetName(L"TIMER"), EComponentError);
    b->SetName(L"Timer2");
    EXPECT_EQ(root.FindComponent(L"Timer2"), b);
    EXPECT_EQ(root.FindComponent(L"Missing"), nullptr);
}

TEST(Component, NotificationClearsReferenceAcrossOwners)
{
    // Two "forms": the holder on the first refers to a component on the second.
    auto* mainForm = new TComponent(nullptr);
    auto* dialog = new TComponent(nullptr);
    auto* holder = new THolder(mainForm);
    auto* graph = new TComponent(dialog);
    holder->SetTarget(graph);
    dialog->Free(); // frees graph
    EXPECT_EQ(holder->Target(), nullptr);
    mainForm->Free();
}

TEST(Component, NotificationReachesSiblingsWithoutRegistration)
{
    auto* form = new TComponent(nullptr);
    auto* holder = new THolder(form);
    auto* menu = new TComponent(form);
    holder->SetTarget(menu);
    menu->RemoveFreeNotification(holder); // only the owner's broadcast is left
    menu->Free();
    EXPECT_EQ(holder->Target(), nullptr);
    form->Free();
}

TEST(Component, HolderDestroyedFirstLeavesNoDanglingRegistration)
{
    auto* target = new TComponent(nullptr);
    auto* holder = new THolder(nullptr);
    holder->SetTarget(target);
    holder->Free();
    target->Free(); // must not notify the freed holder
    SUCCEED();
}

TEST(Component, LoadingStateIsInheritedAndClearedByLoaded)
{
    TComponent root(nullptr);
    root.BeginLoading();
    auto* child = new TComponent(&root);
    EXPECT_TRUE(child->ComponentState().Contains(csLoading));
    child->Loaded();
    root.Loaded();
    EXPECT_FALSE(child->ComponentState().Contains(csLoading));
    EXPECT_FALSE(root.ComponentState().Contains(csLoading));
    auto* later = new TComponent(&root);
    EXPECT_FALSE(later->ComponentState().Contains(csLoading));
}

TEST(Component, ClassNameAndInheritance)
{
    THolder holder(nullptr);
    TObject& object = holder;
    EXPECT_EQ(object.ClassName(), L"TComponent"); // THolder declares no class of its own
    EXPECT_TRUE(object.Is<TComponent>());
    EXPECT_TRUE(object.InheritsFrom(TObject::StaticClass()));
    EXPECT_EQ(As<TComponent>(&object), &holder);
}

} // namespace
