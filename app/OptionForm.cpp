#include "app/OptionForm.h"

#include "media/MediaUtil/FilterDialog.h"
#include "media/MediaUtil/FilterList.h"
#include "app/FormatText.h"
#include "app/MainForm.h"
#include "app/StoredSettings.h"
#include "media/MediaUtil/MediaUuids.h"

#include "framework/Label.h"
#include "framework/MessageBox.h"
#include "framework/Panel.h"
#include "framework/ScopeExit.h"
#include "framework/ShellFolders.h"

#include <uuids.h>

#include <algorithm>
#include <vector>


bool NoVideoDevice = false;
Tfrm_Option* frm_Option = nullptr;

const TClassInfo& Tfrm_Option::StaticClass()
{
    static const TClassInfo info(L"Tfrm_Option", &TForm::StaticClass());
    return info;
}

void Tfrm_Option::CreateComponents()
{
    SetName(L"frm_Option");
    SetCaption(L"设置");
    SetBorderStyle(bsDialog);
    SetBorderWidth(6);
    SetClientWidth(399);
    SetClientHeight(259);
    SetPosition(poMainFormCenter);
    SetShowHint(true);
    Font()->SetName(L"宋体");
    Font()->SetSize(9);
    Font()->SetCharset(GB2312_CHARSET);

    FilterGraph = new TFilterGraph(this);
    FilterGraph->SetName(L"FilterGraph");
    FilterGraph->SetMode(gmCapture);
    FilterGraph->SetGraphEdit(true);
    VideoSourceFilter = new TFilter(this);
    VideoSourceFilter->SetName(L"VideoSourceFilter");
    VideoSourceFilter->SetFilterGraph(FilterGraph);
    AudioSourceFilter = new TFilter(this);
    AudioSourceFilter->SetName(L"AudioSourceFilter");
    AudioSourceFilter->SetFilterGraph(FilterGraph);

    auto* upper = new TPanel(this);
    upper->SetParent(this);
    upper->SetBounds(0, 0, 399, 212);
    auto* lower = new TPanel(this);
    lower->SetParent(this);
    lower->SetBounds(0, 212, 399, 47);

    auto label = [&](int y, const wchar_t* text) {
        auto* l = new TLabel(this);
        l->SetParent(upper);
        l->SetBounds(16, y + 4, 64, 13);
        l->SetCaption(text);
    };
    auto box = [&](int y, int width, const wchar_t* name) {
        auto* b = new TComboBox(this);
        b->SetName(name);
        b->SetParent(upper);
        b->SetStyle(csDropDownList);
        b->SetBounds(80, y, width, 21);
        return b;
    };
    auto button = [&](TWinControl* parent, int x, int y, const wchar_t* name, const wchar_t* caption,
                      void (Tfrm_Option::*handler)(TObject*)) {
        auto* b = new TButton(this);
        b->SetName(name);
        b->SetParent(parent);
        b->SetBounds(x, y, 75, 25);
        b->SetCaption(caption);
        b->OnClick = TNotifyEvent(this, handler);
        return b;
    };
    label(16, L"视频设备：");
    CB_VideoCapFilters = box(16, 209, L"CB_VideoCapFilters");
    Btn_Video_Property = button(upper, 304, 14, L"Btn_Video_Property", L"视频属性", &Tfrm_Option::Btn_PropertyClick);
    label(48, L"视频格式：");
    CB_VideoFormats = box(48, 297, L"CB_VideoFormats");
    label(80, L"音频设备：");
    CB_AudioCapFilters = box(80, 209, L"CB_AudioCapFilters");
    Btn_Audio_Property = button(upper, 304, 78, L"Btn_Audio_Property", L"音频属性", &Tfrm_Option::Btn_PropertyClick);
    label(112, L"音频格式：");
    CB_AudioFormats = box(112, 297, L"CB_AudioFormats");
    label(144, L"音频输入：");
    CB_InputLines = box(144, 297, L"CB_InputLines");
    label(176, L"文件保存：");
    Edit_SaveDir = new TEdit(this);
    Edit_SaveDir->SetName(L"Edit_SaveDir");
    Edit_SaveDir->SetParent(upper);
    Edit_SaveDir->SetBounds(80, 176, 209, 21);
    button(upper, 304, 174, L"Btn_SaveDir", L"选择位置", &Tfrm_Option::Btn_SaveDirClick);
    Btn_OK = button(lower, 96, 16, L"Btn_OK", L"确定(&A)", &Tfrm_Option::Btn_OKClick);
    Btn_Cancel = button(lower, 216, 16, L"Btn_Cancel", L"取消(&X)", &Tfrm_Option::Btn_CancelClick);

    CB_VideoCapFilters->OnChange = TNotifyEvent(this, &Tfrm_Option::CB_VideoCapFiltersChange);
    CB_AudioCapFilters->OnChange = TNotifyEvent(this, &Tfrm_Option::CB_AudioCapFiltersChange);
    CB_VideoFormats->OnChange = TNotifyEvent(this, &Tfrm_Option::CB_FormatsChange);
    CB_AudioFormats->OnChange = TNotifyEvent(this, &Tfrm_Option::CB_FormatsChange);
    OnCreate = TNotifyEvent(this, &Tfrm_Option::FormCreate);
    OnShow = TNotifyEvent(this, &Tfrm_Option::FormShow);
    OnClose = TCloseEvent(this, &Tfrm_Option::FormClose);
    OnDestroy = TNotifyEvent(this, &Tfrm_Option::FormDestroy);
}

void Tfrm_Option::FormCreate(TObject*)
{
    NoVideoDevice = false;
    FVideoDevices = std::make_unique<TSysDevEnum>(CLSID_VideoInputDeviceCategory);
    if (FVideoDevices->FilterCount() == 0) {
        ShowMessage(L"未找到视频设备, 请连接好设备再重新运行程序.");
        FVideoDevices.reset();
        NoVideoDevice = true;
        return;
    }
    // The choices of the last run, each where it still matches something present; the
    // first device, the first format, the last enabled line and Documents otherwise.
    const TStoredSettings stored = ReadStoredSettings();
    for (const TDeviceEntry& entry : FVideoDevices->Entries)
        CB_VideoCapFilters->Items()->Add(entry.FriendlyName);
    CB_VideoCapFilters->SetItemIndex(std::max(0, StoredDeviceRow(*FVideoDevices, stored.VideoDevice)));
    FAudioDevices = std::make_unique<TSysDevEnum>(CLSID_AudioInputDeviceCategory);
    for (const TDeviceEntry& entry : FAudioDevices->Entries)
        CB_AudioCapFilters->Items()->Add(entry.FriendlyName);
    CB_AudioCapFilters->SetItemIndex(
        FAudioDevices->FilterCount() > 0 ? std::max(0, StoredDeviceRow(*FAudioDevices, stored.AudioDevice)) : -1);
    ReadDevices({skVideo, skAudio});
    SelectStoredFormat(FVideoFormats, CB_VideoFormats, stored.VideoFormat);
    SelectStoredFormat(FAudioFormats, CB_AudioFormats, stored.AudioFormat);
    if (const int line = stored.InputLine.empty() ? -1 : CB_InputLines->Items()->IndexOf(stored.InputLine); line >= 0)
        CB_InputLines->SetItemIndex(line);
    Edit_SaveDir->SetText(FolderExists(stored.SaveDir) ? stored.SaveDir : DocumentsFolder());
}

void Tfrm_Option::SelectStoredFormat(const TEnumMediaType& formats, TComboBox* box, const std::wstring& description)
{
    if (description.empty())
        return;
    for (int i = 0; i < formats.Count() && i < box->Items()->Count(); ++i)
        if (formats.Description(i) == description) {
            box->SetItemIndex(i);
            CB_FormatsChange(box);
            return;
        }
}

TStoredSettings Tfrm_Option::Choices()
{
    auto format = [](const TEnumMediaType& formats, TComboBox* box) {
        const int row = box->ItemIndex();
        return row >= 0 && row < formats.Count() ? formats.Description(row) : std::wstring();
    };
    auto device = [](const TSysDevEnum* devices, TComboBox* box) {
        return devices ? StoredDeviceText(*devices, box->ItemIndex()) : std::wstring();
    };
    const int line = CB_InputLines->ItemIndex();
    return {device(FVideoDevices.get(), CB_VideoCapFilters),
            format(FVideoFormats, CB_VideoFormats),
            device(FAudioDevices.get(), CB_AudioCapFilters),
            format(FAudioFormats, CB_AudioFormats),
            line >= 0 ? CB_InputLines->Items()->Strings(line) : std::wstring(),
            Edit_SaveDir->Text()};
}

Tfrm_Option::TSourceControls Tfrm_Option::Source(TSourceKind kind)
{
    if (kind == skVideo)
        return {FVideoDevices.get(), CLSID_VideoInputDeviceCategory, CB_VideoCapFilters, VideoSourceFilter,
                CB_VideoFormats, FVideoFormats};
    return {FAudioDevices.get(), CLSID_AudioInputDeviceCategory, CB_AudioCapFilters, AudioSourceFilter,
            CB_AudioFormats, FAudioFormats};
}

bool Tfrm_Option::BindDevice(TSourceKind kind)
{
    const TSourceControls source = Source(kind);
    if (!source.Devices)
        return false;
    source.Devices->SelectCategory(source.Category);
    const int row = source.DeviceBox->ItemIndex();
    if (row < 0)
        return false;
    source.Filter->BaseFilter().SetMoniker(source.Devices->GetMoniker(row).Get());
    source.Filter->SetFilterGraph(FilterGraph);
    return true;
}

void Tfrm_Option::ShowDeviceDetails(TSourceKind kind)
{
    const TSourceControls source = Source(kind);
    TPinList pins(source.Filter->As<IBaseFilter>().Get());
    source.FormatBox->Items()->Clear();
    if (kind == skVideo) {
        source.Formats.AssignPin(pins.First().Get());
    } else {
        // Every output pin gives its formats (the last one's remain); the input pins are
        // left in the list: they are the device's input lines.
        for (int i = 0; i < pins.Count();) {
            if (pins.Direction(i) == PINDIR_OUTPUT) {
                source.Formats.AssignPin(pins.Items(i).Get());
                pins.Delete(i);
            } else {
                ++i;
            }
        }
    }
    for (int i = 0; i < source.Formats.Count(); ++i)
        source.FormatBox->Items()->Add(ShortFormatText(source.Formats.Description(i)));
    source.FormatBox->SetItemIndex(source.Formats.Count() > 0 ? 0 : -1);
    if (kind == skAudio) {
        // The remaining pins are the device's input lines; the last enabled one is chosen.
        CB_InputLines->Items()->Clear();
        int selected = -1;
        for (int i = 0; i < pins.Count(); ++i) {
            CB_InputLines->Items()->Add(pins.Name(i));
            BOOL enabled = FALSE;
            if (SUCCEEDED(InterfaceCast<IAMAudioInputMixer>(pins.Items(i))->get_Enable(&enabled)) && enabled)
                selected = i;
        }
        CB_InputLines->SetItemIndex(selected);
    }
}

void Tfrm_Option::ReadDevices(std::initializer_list<TSourceKind> kinds)
{
    std::vector<TSourceKind> bound;
    for (TSourceKind kind : kinds)
        if (BindDevice(kind))
            bound.push_back(kind);
    if (bound.empty())
        return;
    // One start of the graph serves every device read: starting it makes each member's
    // filter, which is a large part of the program's start-up time.
    FilterGraph->SetActive(true);
    const TScopeExit stop([this] { FilterGraph->SetActive(false); });
    for (TSourceKind kind : bound)
        ShowDeviceDetails(kind);
}

void Tfrm_Option::CB_VideoCapFiltersChange(TObject*)
{
    ReadDevices({skVideo});
}

void Tfrm_Option::CB_AudioCapFiltersChange(TObject*)
{
    ReadDevices({skAudio});
}

void Tfrm_Option::CB_FormatsChange(TObject* sender)
{
    if (auto* box = As<TComboBox>(sender))
        box->SetHint(box->Text());
}

void Tfrm_Option::Btn_PropertyClick(TObject* sender)
{
    const TSourceControls source = Source(sender == Btn_Video_Property ? skVideo : skAudio);
    FilterGraph->SetActive(true);
    // The device's pages, titled with the device's name, over this dialog.
    ShowFilterDialog(Handle(), source.Filter->As<IBaseFilter>().Get(), fdPropertyPages, source.DeviceBox->Text());
}

void Tfrm_Option::FormShow(TObject*)
{
    FSavedSelection = {CB_VideoCapFilters->ItemIndex(), CB_VideoFormats->ItemIndex(), CB_AudioCapFilters->ItemIndex(),
                       CB_AudioFormats->ItemIndex(), CB_InputLines->ItemIndex()};
}

void Tfrm_Option::Btn_CancelClick(TObject*)
{
    SetModalResult(mrCancel);
}

void Tfrm_Option::FormClose(TObject*, TCloseAction&)
{
    // Cancel, the title bar's close button, Alt+F4 and Esc all leave the settings as they
    // were when the dialog opened; only OK takes the new choices.
    if (ModalResult() == mrOk)
        return;
    TComboBox* boxes[] = {CB_VideoCapFilters, CB_VideoFormats, CB_AudioCapFilters, CB_AudioFormats, CB_InputLines};
    for (size_t i = 0; i < std::size(boxes); ++i)
        boxes[i]->SetItemIndex(FSavedSelection[i]);
    Edit_SaveDir->SetText(MainForm->SaveDir());
}

void Tfrm_Option::Btn_SaveDirClick(TObject*)
{
    // A cancelled folder browser keeps the folder that was there.
    if (const std::wstring folder = BrowseForFolder(L"请选择保存文件夹"); !folder.empty())
        Edit_SaveDir->SetText(folder);
}

void Tfrm_Option::Btn_OKClick(TObject*)
{
    if (Edit_SaveDir->Text().empty()) {
        ShowMessage(L"请选择文件保存位置.");
        return;
    }
    // The choices are kept for the next run (a registry that refuses them only means they
    // are not remembered). The dialog ends whatever the main window's restart answers: a
    // preview that cannot start again is reported once, and the program stays usable.
    WriteStoredSettings(Choices());
    SetModalResult(mrOk);
    MainForm->SettingsAccepted(Edit_SaveDir->Text());
}

void Tfrm_Option::FormDestroy(TObject*)
{
    FilterGraph->ClearAllFilters();
    FilterGraph->SetActive(false);
}
