// The settings dialog: video device and format, audio device, format and input line,
// and the save folder. It owns the one filter graph and the two source filters that the
// main window's preview, recording and playback run on.
#pragma once

#include "app/StoredSettings.h"
#include "media/MediaUtil/EnumMediaType.h"
#include "media/MediaKit/Filter.h"
#include "media/MediaKit/FilterGraph.h"
#include "media/MediaUtil/FilterList.h"
#include "media/MediaUtil/SysDevEnum.h"

#include "framework/Button.h"
#include "framework/ComboBox.h"
#include "framework/Edit.h"
#include "framework/Form.h"

#include <array>
#include <initializer_list>
#include <memory>

class Tfrm_Option : public TForm {
    KIVORA_CLASS(Tfrm_Option, TForm)
public:
    using TForm::TForm;

    TFilterGraph* FilterGraph = nullptr;
    TFilter* VideoSourceFilter = nullptr;
    TFilter* AudioSourceFilter = nullptr;
    TComboBox *CB_VideoCapFilters = nullptr, *CB_VideoFormats = nullptr, *CB_AudioCapFilters = nullptr,
              *CB_AudioFormats = nullptr, *CB_InputLines = nullptr;
    TEdit* Edit_SaveDir = nullptr;
    TButton *Btn_OK = nullptr, *Btn_Cancel = nullptr, *Btn_Video_Property = nullptr, *Btn_Audio_Property = nullptr;

    // Device lists: row i of a device box is entry i. The main window replaces the video
    // list with a fresh one before each preview, recording and setup.
    std::unique_ptr<TSysDevEnum> FVideoDevices, FAudioDevices;
    // Format lists: row i of a format box is item i.
    TEnumMediaType FVideoFormats, FAudioFormats;

    void CB_VideoCapFiltersChange(TObject* sender);
    void CB_AudioCapFiltersChange(TObject* sender);

protected:
    void CreateComponents() override;

private:
    void FormCreate(TObject* sender);
    void FormShow(TObject* sender);
    void FormDestroy(TObject* sender);
    void CB_FormatsChange(TObject* sender);
    void FormClose(TObject* sender, TCloseAction& action);
    // Either property button: the pages of its device.
    void Btn_PropertyClick(TObject* sender);
    void Btn_SaveDirClick(TObject* sender);
    void Btn_OKClick(TObject* sender);
    void Btn_CancelClick(TObject* sender);

    // The controls and lists of one source, video or audio.
    enum TSourceKind { skVideo, skAudio };
    struct TSourceControls {
        TSysDevEnum* Devices;
        const GUID& Category;
        TComboBox* DeviceBox;
        TFilter* Filter;
        TComboBox* FormatBox;
        TEnumMediaType& Formats;
    };
    TSourceControls Source(TSourceKind kind);
    // Binds the source's filter to the device chosen in its box; false when none is chosen.
    bool BindDevice(TSourceKind kind);
    // Fills the source's format box (and for audio the input lines) from its filter's
    // pins, while the graph is active.
    void ShowDeviceDetails(TSourceKind kind);
    // Binds these sources to their chosen devices and shows their details, starting the
    // graph once for all of them and stopping it again.
    void ReadDevices(std::initializer_list<TSourceKind> kinds);
    // Selects the row of the format with this description, when the list has one.
    void SelectStoredFormat(const TEnumMediaType& formats, TComboBox* box, const std::wstring& description);
    // The choices as they are stored between runs.
    TStoredSettings Choices();

    std::array<int, 5> FSavedSelection{};
};

// Set when the dialog found no video capture device at creation: the program then ends.
extern bool NoVideoDevice;
extern Tfrm_Option* frm_Option;
