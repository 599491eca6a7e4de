#include "framework/WindowStrings.h"

void TWindowStrings::FillWindow()
{
    for (int i = 0; i < Count(); ++i)
        Inserted(i);
}

void TWindowStrings::Inserted(int index)
{
    if (FControl.HandleAllocated())
        SendMessageW(FControl.Handle(), FMessages.Insert, static_cast<WPARAM>(index),
                     reinterpret_cast<LPARAM>(Strings(index).c_str()));
}

void TWindowStrings::Deleted(int index)
{
    if (FControl.HandleAllocated())
        SendMessageW(FControl.Handle(), FMessages.Delete, static_cast<WPARAM>(index), 0);
    FRemoved();
}

void TWindowStrings::Cleared()
{
    if (FControl.HandleAllocated())
        SendMessageW(FControl.Handle(), FMessages.Reset, 0, 0);
    FRemoved();
}
