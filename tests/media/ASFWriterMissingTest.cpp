// The Windows Media writer component where the system has no ASF writer filter: it
// stores its settings, joins and leaves the graph quietly, and holds nothing. A writer
// of this process's own stands in where a writer outside the system profiles is needed.
#include "media/MediaKit/ASFWriter.h"
#include "media/MediaKit/FilterGraph.h"

#include "framework/Properties.h"

#include <vfwmsgs.h>

#include <gtest/gtest.h>

#include <string>

namespace {

class ASFWriterMissingTest : public testing::Test {
protected:
    void SetUp() override
    {
        CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
        Microsoft::WRL::ComPtr<IBaseFilter> writer;
        if (SUCCEEDED(CoCreateInstance(CLSID_WMAsfWriter, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(&writer))))
            GTEST_SKIP() << "this prefix has an ASF writer";
    }
    void TearDown() override { CoUninitialize(); }
};

bool HoldsNothing(const TAsfWriterObjects& held)
{
    return !held.Writer && !held.AdvancedWriter && !held.NetworkSink && !held.Pins[0] && !held.Pins[1]
        && !held.StreamConfigs[0] && !held.StreamConfigs[1];
}

// {5D2F7A4C-8E61-4B0A-9C3D-71E0B6A4F215}: a profile the system does not have.
constexpr GUID CustomProfile = {0x5D2F7A4C, 0x8E61, 0x4B0A, {0x9C, 0x3D, 0x71, 0xE0, 0xB6, 0xA4, 0xF2, 0x15}};

// A writer filter without pins whose profile is none of the system profiles (or that
// cannot say which profile it has). It refuses to be configured with another.
class TCustomProfileWriter final : public IBaseFilter, public IEnumPins, public IConfigAsfWriter {
public:
    explicit TCustomProfileWriter(HRESULT profileAnswer) : FProfileAnswer(profileAnswer) {}

    STDMETHODIMP QueryInterface(REFIID iid, void** out) override
    {
        if (!out)
            return E_POINTER;
        if (iid == IID_IUnknown || iid == IID_IPersist || iid == IID_IMediaFilter || iid == IID_IBaseFilter)
            *out = static_cast<IBaseFilter*>(this);
        else if (iid == IID_IEnumPins)
            *out = static_cast<IEnumPins*>(this);
        else if (iid == __uuidof(IConfigAsfWriter))
            *out = static_cast<IConfigAsfWriter*>(this);
        else {
            *out = nullptr;
            return E_NOINTERFACE;
        }
        AddRef();
        return S_OK;
    }
    STDMETHODIMP_(ULONG) AddRef() override { return ULONG(InterlockedIncrement(&FRefs)); }
    STDMETHODIMP_(ULONG) Release() override
    {
        const LONG refs = InterlockedDecrement(&FRefs);
        if (refs == 0)
            delete this;
        return ULONG(refs);
    }

    STDMETHODIMP GetClassID(CLSID* id) override { *id = CLSID_WMAsfWriter; return S_OK; }
    STDMETHODIMP Stop() override { return S_OK; }
    STDMETHODIMP Pause() override { return S_OK; }
    STDMETHODIMP Run(REFERENCE_TIME) override { return S_OK; }
    STDMETHODIMP GetState(DWORD, FILTER_STATE* state) override { *state = State_Stopped; return S_OK; }
    STDMETHODIMP SetSyncSource(IReferenceClock*) override { return S_OK; }
    STDMETHODIMP GetSyncSource(IReferenceClock** clock) override { *clock = nullptr; return S_OK; }
    STDMETHODIMP EnumPins(IEnumPins** pins) override { AddRef(); *pins = this; return S_OK; }
    STDMETHODIMP FindPin(LPCWSTR, IPin** pin) override { *pin = nullptr; return VFW_E_NOT_FOUND; }
    STDMETHODIMP QueryFilterInfo(FILTER_INFO* info) override
    {
        lstrcpynW(info->achName, FName.c_str(), MAX_FILTER_NAME);
        info->pGraph = FGraph;
        if (FGraph)
            FGraph->AddRef();
        return S_OK;
    }
    STDMETHODIMP JoinFilterGraph(IFilterGraph* graph, LPCWSTR name) override
    {
        FGraph = graph;  // not counted: the graph holds the filter
        FName = name ? name : L"";
        return S_OK;
    }
    STDMETHODIMP QueryVendorInfo(LPWSTR*) override { return E_NOTIMPL; }

    // IEnumPins: no pins.
    STDMETHODIMP Next(ULONG, IPin**, ULONG* fetched) override { if (fetched) *fetched = 0; return S_FALSE; }
    STDMETHODIMP Skip(ULONG) override { return S_FALSE; }
    STDMETHODIMP Reset() override { return S_OK; }
    STDMETHODIMP Clone(IEnumPins** copy) override { AddRef(); *copy = this; return S_OK; }

    STDMETHODIMP ConfigureFilterUsingProfileId(DWORD) override { return E_NOTIMPL; }
    STDMETHODIMP GetCurrentProfileId(DWORD*) override { return E_NOTIMPL; }
    STDMETHODIMP ConfigureFilterUsingProfileGuid(REFGUID) override { return E_INVALIDARG; }
    STDMETHODIMP GetCurrentProfileGuid(GUID* profile) override
    {
        if (SUCCEEDED(FProfileAnswer))
            *profile = CustomProfile;
        return FProfileAnswer;
    }
    STDMETHODIMP ConfigureFilterUsingProfile(IWMProfile*) override { return E_NOTIMPL; }
    STDMETHODIMP GetCurrentProfile(IWMProfile**) override { return E_NOTIMPL; }
    STDMETHODIMP SetIndexMode(BOOL) override { return E_NOTIMPL; }
    STDMETHODIMP GetIndexMode(BOOL*) override { return E_NOTIMPL; }

private:
    LONG FRefs = 1;
    HRESULT FProfileAnswer;
    IFilterGraph* FGraph = nullptr;
    std::wstring FName;
};

// Serves TCustomProfileWriter under the ASF writer's class identifier to this process
// for one scope.
class TCustomWriterClass final : public IClassFactory {
public:
    explicit TCustomWriterClass(HRESULT profileAnswer) : FProfileAnswer(profileAnswer)
    {
        CoRegisterClassObject(CLSID_WMAsfWriter, this, CLSCTX_INPROC_SERVER, REGCLS_MULTIPLEUSE, &FCookie);
    }
    ~TCustomWriterClass() { CoRevokeClassObject(FCookie); }

    STDMETHODIMP QueryInterface(REFIID iid, void** out) override
    {
        if (iid != IID_IUnknown && iid != IID_IClassFactory) {
            *out = nullptr;
            return E_NOINTERFACE;
        }
        *out = static_cast<IClassFactory*>(this);
        return S_OK;
    }
    STDMETHODIMP_(ULONG) AddRef() override { return 2; }  // lives on the test's stack
    STDMETHODIMP_(ULONG) Release() override { return 1; }
    STDMETHODIMP CreateInstance(IUnknown* outer, REFIID iid, void** out) override
    {
        *out = nullptr;
        if (outer)
            return CLASS_E_NOAGGREGATION;
        auto* writer = new TCustomProfileWriter(FProfileAnswer);
        const HRESULT hr = writer->QueryInterface(iid, out);
        writer->Release();
        return hr;
    }
    STDMETHODIMP LockServer(BOOL) override { return S_OK; }

private:
    HRESULT FProfileAnswer;
    DWORD FCookie = 0;
};

} // namespace

TEST_F(ASFWriterMissingTest, WriterOutsideTheSystemProfilesReports255)
{
    for (const HRESULT answer : {S_OK, E_FAIL}) {
        TCustomWriterClass writerClass(answer);
        TFilterGraph graph(nullptr);
        TASFWriter writer(nullptr);
        writer.SetName(L"ASFWriter");
        writer.SetProfile(wmp_V80_256Video);
        writer.SetFilterGraph(&graph);
        graph.SetActive(true);
        ASSERT_NE(writer.MemberFilter(), nullptr);
        EXPECT_EQ(int(writer.Profile()), 255) << std::hex << answer;
        EXPECT_EQ(FindProp(&writer, L"Profile")->GetOrdinal(writer), 255);
        EXPECT_EQ(writer.Objects().Pins[0], nullptr);
        graph.SetActive(false);
        EXPECT_EQ(writer.Profile(), wmp_V80_256Video);
        writer.SetFilterGraph(nullptr);
    }
}

TEST_F(ASFWriterMissingTest, SettingsAreStoredAndPublished)
{
    TASFWriter writer(nullptr);
    EXPECT_TRUE(writer.AutoIndex());
    EXPECT_FALSE(writer.MultiPass());
    EXPECT_FALSE(writer.DontCompress());
    EXPECT_EQ(writer.Port(), 0u);
    EXPECT_EQ(writer.MaxUsers(), 0u);

    EXPECT_TRUE(WriteProp(&writer, L"Profile", L"wmp_V80_56VideoOnly"));
    EXPECT_EQ(writer.Profile(), wmp_V80_56VideoOnly);
    EXPECT_EQ(ReadEnumProp(&writer, L"Profile"), L"wmp_V80_56VideoOnly");
    writer.SetFileName(L"test.wmv");
    EXPECT_EQ(ReadTextProp(&writer, L"FileName"), L"test.wmv");

    // 255 is what Profile reports for a writer outside the system profiles; written back
    // (or any value past the table) it has no profile to apply and changes nothing.
    writer.SetProfile(TWMPofiles8(255));
    writer.SetProfile(TWMPofiles8(kSystemProfileCount));
    EXPECT_EQ(writer.Profile(), wmp_V80_56VideoOnly);
}

TEST_F(ASFWriterMissingTest, GraphActivationStaysQuietAndHoldsNothing)
{
    TFilterGraph graph(nullptr);
    TASFWriter writer(nullptr);
    writer.SetName(L"ASFWriter");
    writer.SetProfile(wmp_V80_256Video);
    writer.SetFileName(L"C:\\video.wmv");
    writer.SetPort(8080);
    writer.SetMaxUsers(5);
    writer.SetFilterGraph(&graph);

    graph.SetActive(true);
    EXPECT_EQ(writer.MemberFilter(), nullptr);
    EXPECT_TRUE(HoldsNothing(writer.Objects()));
    EXPECT_EQ(writer.Profile(), wmp_V80_256Video);
    EXPECT_EQ(writer.FileName(), L"C:\\video.wmv");
    EXPECT_EQ(writer.Port(), 8080u);
    EXPECT_EQ(writer.Supports<IBaseFilter>(), nullptr);
    EXPECT_NE(graph.Supports<IMediaControl>(), nullptr);

    graph.SetActive(false);
    EXPECT_TRUE(HoldsNothing(writer.Objects()));
}

TEST_F(ASFWriterMissingTest, GraphDestroyedFirstIsForgotten)
{
    TASFWriter writer(nullptr);
    {
        TFilterGraph graph(nullptr);
        writer.SetFilterGraph(&graph);
        writer.SetFilterGraph(&graph);
        graph.SetActive(true);
    }
    EXPECT_EQ(writer.FilterGraph(), nullptr);
}
