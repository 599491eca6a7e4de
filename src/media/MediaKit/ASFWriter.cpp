#include "media/MediaKit/ASFWriter.h"

#include "media/MediaUtil/FilterList.h"
#include "media/MediaUtil/MediaType.h"

#include <utility>

using Microsoft::WRL::ComPtr;

const TClassInfo& TASFWriter::StaticClass()
{
    static const TClassInfo info(L"TASFWriter", &TMediaComponent::StaticClass(), {
        ObjProp(L"FilterGraph", &TASFWriter::FilterGraph, &TASFWriter::SetFilterGraph),
        EnumProp(L"Profile", &TASFWriter::Profile, &TASFWriter::SetProfile),
        StrProp(L"FileName", &TASFWriter::FileName, &TASFWriter::SetFileName),
        IntProp(L"Port", &TASFWriter::Port, &TASFWriter::SetPort),
        IntProp(L"MaxUsers", &TASFWriter::MaxUsers, &TASFWriter::SetMaxUsers),
        BoolProp(L"AutoIndex", &TASFWriter::AutoIndex, &TASFWriter::SetAutoIndex),
        BoolProp(L"MultiPass", &TASFWriter::MultiPass, &TASFWriter::SetMultiPass),
        BoolProp(L"DontCompress", &TASFWriter::DontCompress, &TASFWriter::SetDontCompress),
    });
    return info;
}

TASFWriter::TASFWriter(TComponent* owner) : TMediaComponent(owner)
{
}

TASFWriter::~TASFWriter()
{
    SetFilterGraph(nullptr);
}

void TASFWriter::Notification(TComponent* component, TOperation operation)
{
    TMediaComponent::Notification(component, operation);
    FGraphLink.Notification(component, operation);
}

HRESULT TASFWriter::QueryInterface(REFIID iid, void** object)
{
    HRESULT hr = TMediaComponent::QueryInterface(iid, object);
    if (FAILED(hr) && FObjects.Writer)
        hr = FObjects.Writer->QueryInterface(iid, object);
    return hr;
}

TWMPofiles8 TASFWriter::Profile() const
{
    ComPtr<IConfigAsfWriter> config;
    if (!FObjects.Writer || FAILED(FObjects.Writer.As(&config)))
        return FProfile;
    // A writer that cannot say which profile it has reports none of the system ones.
    GUID current = GUID_NULL;
    if (FAILED(config->GetCurrentProfileGuid(&current)))
        current = GUID_NULL;
    return TWMPofiles8(ProfileIndexOf(current));
}

void TASFWriter::SetProfile(TWMPofiles8 profile)
{
    // 255 ("not a system profile", as Profile reports it) or any other value past the
    // table has no identifier to apply; keep what is there.
    if (profile >= kSystemProfileCount)
        return;
    if (ComPtr<IConfigAsfWriter> config = Supports<IConfigAsfWriter>())
        config->ConfigureFilterUsingProfileGuid(SystemProfileGuids[profile]);
    else
        FProfile = profile;
}

std::wstring TASFWriter::FileName() const
{
    ComPtr<IFileSinkFilter> sink;
    if (!FObjects.Writer || FAILED(FObjects.Writer.As(&sink)))
        return FFileName;
    LPOLESTR name = nullptr;
    AM_MEDIA_TYPE type{};
    const HRESULT hr = sink->GetCurFile(&name, &type);
    const TTaskMem<OLECHAR> owned(name);
    ClearMediaType(type);
    return SUCCEEDED(hr) && name ? name : L"";
}

void TASFWriter::SetFileName(const std::wstring& fileName)
{
    FFileName = fileName;
    // The writer answers the file sink interface of every file writer; the extended one
    // (IFileSinkFilter2) derives from it.
    if (ComPtr<IFileSinkFilter> sink = Supports<IFileSinkFilter>())
        sink->SetFileName(FFileName.c_str(), nullptr);
}

void TASFWriter::MemberNotify(TMemberOperation operation, int)
{
    switch (operation) {
    case moAdding:
        // Class context 3: in-process server or handler.
        CoCreateInstance(CLSID_WMAsfWriter, nullptr, CLSCTX_INPROC_SERVER | CLSCTX_INPROC_HANDLER,
                         IID_PPV_ARGS(FObjects.Writer.ReleaseAndGetAddressOf()));
        break;
    case moAdded:
        if (FObjects.Writer)
            ConfigureWriter();
        break;
    case moRemoving:
        if (FObjects.Writer)
            FObjects.Writer->Stop();
        if (FObjects.NetworkSink) {
            FObjects.NetworkSink->Disconnect();
            FObjects.NetworkSink->Close();
        }
        for (const ComPtr<IPin>& pin : FObjects.Pins)
            if (pin)
                pin->Disconnect();
        break;
    case moRemoved:
        FObjects = TAsfWriterObjects{};
        FFormatRuntime.reset();
        break;
    }
}

void TASFWriter::ConfigureWriter()
{
    // The stored values reach the writer through the setters, which now see it.
    SetProfile(FProfile);
    SetFileName(FFileName);

    if (ComPtr<IConfigAsfWriter2> config = Supports<IConfigAsfWriter2>()) {
        const std::pair<AM_ASFWRITERCONFIG_PARAM, bool> params[] = {
            {AM_CONFIGASFWRITER_PARAM_AUTOINDEX, FAutoIndex},
            {AM_CONFIGASFWRITER_PARAM_MULTIPASS, FMultiPass},
            {AM_CONFIGASFWRITER_PARAM_DONTCOMPRESS, FDontCompress},
        };
        for (const auto& [param, value] : params)
            config->SetParam(param, value ? 1 : 0, 0);
    }

    // The pins are those of the profile just applied. Without an input pin the writer
    // has nothing to send, so there is no advanced writer and no network sink either.
    KeepPins();
    if (!FObjects.Pins[0])
        return;
    if (ComPtr<IServiceProvider> services = Supports<IServiceProvider>())
        services->QueryService(__uuidof(IWMWriterAdvanced2), IID_PPV_ARGS(&FObjects.AdvancedWriter));
    if (FPort > 0 && FMaxUsers > 0)
        OpenNetworkSink();
}

void TASFWriter::KeepPins()
{
    const TPinList pins(FObjects.Writer.Get());
    if (pins.Count() < 1)
        return;
    FObjects.Pins[0] = pins.Items(0);
    if (pins.Count() == 2) {
        FObjects.Pins[1] = pins.Items(1);
        FObjects.Pins[1].As(&FObjects.StreamConfigs[1]);
    }
    FObjects.Pins[0].As(&FObjects.StreamConfigs[0]);
}

void TASFWriter::OpenNetworkSink()
{
    // Without the writer's advanced interface the sink could not be attached to anything.
    if (!FObjects.AdvancedWriter)
        return;
    TModuleHandle runtime(LoadLibraryW(L"wmvcore.dll"));
    if (!runtime)
        return;
    const auto create = reinterpret_cast<TWMCreateWriterNetworkSink>(
        reinterpret_cast<void*>(GetProcAddress(runtime.get(), "WMCreateWriterNetworkSink")));
    ComPtr<IWMWriterNetworkSink> sink;
    if (!create || FAILED(create(&sink)) || !sink)
        return;
    sink->SetNetworkProtocol(WMT_PROTOCOL_HTTP);
    sink->SetMaximumClients(FMaxUsers);
    // The sink writes back the port it opened; a sink that did not open keeps Port as it was.
    DWORD port = FPort;
    if (FAILED(sink->Open(&port)))
        return;
    if (FAILED(FObjects.AdvancedWriter->AddSink(sink.Get()))) {
        sink->Close();
        return;
    }
    FPort = port;
    FObjects.NetworkSink = std::move(sink);
    FFormatRuntime = std::move(runtime);
}
