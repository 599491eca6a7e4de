// TWindowStrings: the items of a list-like system control (a list box's, a combo box's)
// kept in a TStrings and mirrored into the window while it exists. The control names the
// messages that insert, delete and clear, and hears of every removal, so that it can
// forget a selection that went with the removed items.
#pragma once
#include "framework/Strings.h"
#include "framework/WinControl.h"

#include <functional>

struct TListMessages {
    UINT Insert; // wParam index, lParam text
    UINT Delete; // wParam index
    UINT Reset;
};

class TWindowStrings : public TStrings {
public:
    TWindowStrings(TWinControl& control, TListMessages messages, std::function<void()> removed)
        : FControl(control), FMessages(messages), FRemoved(std::move(removed)) {}
    // Puts every item into the control's new window.
    void FillWindow();

protected:
    void Inserted(int index) override;
    void Deleted(int index) override;
    void Cleared() override;

private:
    TWinControl& FControl;
    TListMessages FMessages;
    std::function<void()> FRemoved;
};
