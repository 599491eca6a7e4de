// The settings types of the skin component: which kinds of controls to skin, options,
// which windows a component serves, and its events.
#pragma once

#include "framework/Event.h"
#include "framework/Properties.h"
#include "framework/Set.h"

#include <string>

class TComponent;
class TControl;
class TSkinData;

enum TSkinControlType {
    xcMainMenu, xcPopupMenu, xcMenuItem, xcToolbar, xcControlbar, xcCombo, xcCheckBox, xcRadioButton, xcProgress,
    xcScrollbar, xcEdit, xcButton, xcBitBtn, xcSpeedButton, xcPanel, xcGroupBox, xcStatusBar, xcTab, xcSystemMenu,
    xcFastReport
};
KIVORA_ENUM_NAMES(TSkinControlType, L"xcMainMenu", L"xcPopupMenu", L"xcMenuItem", L"xcToolbar", L"xcControlbar",
                  L"xcCombo", L"xcCheckBox", L"xcRadioButton", L"xcProgress", L"xcScrollbar", L"xcEdit", L"xcButton",
                  L"xcBitBtn", L"xcSpeedButton", L"xcPanel", L"xcGroupBox", L"xcStatusBar", L"xcTab",
                  L"xcSystemMenu", L"xcFastReport")
using TSkinControlTypes = TSet<TSkinControlType>;

// Every kind but xcMenuItem and xcFastReport (bit mask 0x7FFFB).
constexpr TSkinControlTypes kDefaultSkinControls = TSkinControlTypes::FromBits(0xFFFFF) - TSkinControlTypes{xcMenuItem, xcFastReport};

// Only xoMDIScrollbar has an effect; the other two are stored for forms that set them.
enum TSkinOption { xoMDIScrollbar, xoMenuMerge, xoNCPaint };
KIVORA_ENUM_NAMES(TSkinOption, L"xoMDIScrollbar", L"xoMenuMerge", L"xoNCPaint")
using TSkinOptions = TSet<TSkinOption>;

// Which windows a skin component serves: every window of the program (from the main
// window), only its own form, or its own dialog.
enum TSkinFormType { sfMainform, sfOnlyThisForm, sfDialog };
KIVORA_ENUM_NAMES(TSkinFormType, L"sfMainform", L"sfOnlyThisForm", L"sfDialog")

// Asks the application whether windows of a class are skinned (DoSkin comes in true).
using TOnFormSkin = TEvent<TObject* /*Sender*/, const std::wstring& /*aName*/, bool& /*DoSkin*/>;
// Lets the application replace or refuse (set to null) the skinning object of a control.
using TOnSkinControl = TEvent<TComponent* /*Sender*/, TSkinData* /*SkinData*/, TControl* /*Form*/,
                              TControl* /*Control*/, const std::wstring& /*ControlClass*/,
                              TComponent*& /*SkinnedControl*/>;
