#include "tools/skin-gallery/GalleryMdi.h"

#include "framework/Button.h"
#include "framework/Edit.h"
#include "framework/Form.h"
#include "framework/Label.h"
#include "framework/Menus.h"

#include <cwctype>
#include <memory>
#include <utility>
#include <string>

namespace {

TForm* AddChild(TForm& frame, int number)
{
    auto* child = new TForm(&frame);
    child->Load();
    child->SetFormStyle(fsMDIChild);
    child->SetBounds(12 + 24 * (number - 1), 12 + 24 * (number - 1), 300, 180);
    child->SetCaption(L"子窗口 Child " + std::to_wstring(number));
    auto* label = new TLabel(child);
    label->SetParent(child);
    label->SetBounds(12, 12, 260, 16);
    label->SetCaption(L"文档 " + std::to_wstring(number) + L": 一个 MDI 子窗口");
    auto* edit = new TEdit(child);
    edit->SetParent(child);
    edit->SetBounds(12, 36, 200, 21);
    edit->SetCaption(L"视频 " + std::to_wstring(number) + L".wmv");
    auto* button = new TButton(child);
    button->SetParent(child);
    button->SetBounds(12, 68, 80, 25);
    button->SetCaption(L"关闭(&C)");
    button->OnClick = [child](TObject*) { child->Close(); };
    child->OnClose = [](TObject*, TCloseAction& action) { action = caFree; };
    // The child's own menu: merged into the frame's bar between its File (group 0) and
    // Window (group 9) entries while the child is active.
    auto* menu = new TMainMenu(child);
    auto* document = new TMenuItem(child);
    document->SetCaption(L"文档(&D)");
    document->SetGroupIndex(1);
    menu->Items()->Add(document);
    const std::pair<const wchar_t*, TNotifyEvent> commands[] = {
        {L"清空(&E)", [edit](TObject*) { edit->SetCaption(L""); }},
        {L"大写(&U)",
         [edit](TObject*) {
             std::wstring text = edit->Caption();
             for (wchar_t& c : text)
                 c = static_cast<wchar_t>(towupper(c));
             edit->SetCaption(text);
         }},
        {L"-", nullptr},
        {L"关闭文档(&C)", [child](TObject*) { child->Close(); }},
    };
    for (const auto& [caption, click] : commands) {
        auto* item = new TMenuItem(child);
        item->SetCaption(caption);
        item->OnClick = click;
        document->Add(item);
    }
    child->SetMenu(menu);
    child->Show();
    return child;
}

}  // namespace

TForm* ShowGalleryMdiWindow(TForm& owner, bool maximizeChild)
{
    auto* frame = new TForm(&owner);
    frame->Load();
    frame->SetFormStyle(fsMDIForm);
    frame->SetCaption(L"MDI 窗口 - Kivora Skin Gallery");
    frame->SetBounds(60, 60, 640, 440);
    frame->OnClose = [](TObject*, TCloseAction& action) { action = caFree; };

    auto* menu = new TMainMenu(frame);
    auto* file = new TMenuItem(frame);
    file->SetCaption(L"文件(&F)");
    menu->Items()->Add(file);
    auto* window = new TMenuItem(frame);
    window->SetCaption(L"窗口(&W)");
    window->SetGroupIndex(9);
    menu->Items()->Add(window);
    auto next = std::make_shared<int>(1);  // the number of the next child
    struct TCommand {
        TMenuItem* Parent;
        const wchar_t* Caption;
        const wchar_t* ShortCut;
        TNotifyEvent Click;
    };
    const TCommand commands[] = {
        {file, L"新建子窗口(&N)", L"Ctrl+N", [frame, next](TObject*) { AddChild(*frame, (*next)++); }},
        {file, L"-", nullptr, nullptr},
        {file, L"关闭(&X)", nullptr, [frame](TObject*) { frame->Close(); }},
        {window, L"层叠(&C)", nullptr, [frame](TObject*) { frame->Cascade(); }},
        {window, L"平铺(&T)", nullptr, [frame](TObject*) { frame->Tile(); }},
        {window, L"最大化(&M)", nullptr,
         [frame](TObject*) {
             if (TCustomForm* active = frame->ActiveMDIChild())
                 SendMessageW(frame->ClientHandle(), WM_MDIMAXIMIZE, reinterpret_cast<WPARAM>(active->Handle()), 0);
         }},
    };
    for (const TCommand& command : commands) {
        auto* item = new TMenuItem(frame);
        item->SetCaption(command.Caption);
        if (command.ShortCut)
            item->SetShortCutText(command.ShortCut);
        item->OnClick = command.Click;
        command.Parent->Add(item);
    }
    frame->SetMenu(menu);
    frame->SetWindowMenu(window);
    frame->Show();
    for (int i = 0; i < 3; ++i)
        AddChild(*frame, (*next)++);
    if (maximizeChild)
        if (TCustomForm* active = frame->ActiveMDIChild())
            SendMessageW(frame->ClientHandle(), WM_MDIMAXIMIZE, reinterpret_cast<WPARAM>(active->Handle()), 0);
    return frame;
}
