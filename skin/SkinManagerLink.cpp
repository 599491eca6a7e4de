#include "skin/SkinManagerLink.h"

namespace {

struct TManagerSlot {
    TSkinManagerFactory Factory;
    std::unique_ptr<ISkinManager> Manager;
};

TManagerSlot& Slot()
{
    static TManagerSlot slot;
    return slot;
}

}  // namespace

ISkinManager* SkinManager()
{
    return Slot().Manager.get();
}

ISkinManager* EnsureSkinManager()
{
    TManagerSlot& slot = Slot();
    if (!slot.Manager && slot.Factory)
        slot.Manager = slot.Factory();
    return slot.Manager.get();
}

void SetSkinManagerFactory(TSkinManagerFactory factory)
{
    Slot().Factory = std::move(factory);
}

void DestroySkinManager()
{
    // Cleared before the manager's destructor runs, so code it calls sees no manager.
    std::unique_ptr<ISkinManager> manager = std::move(Slot().Manager);
}
