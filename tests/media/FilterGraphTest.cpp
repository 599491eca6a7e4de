// The filter graph component: activation with its members and sinks, mode switches,
// graph registration, the log file, and how graph events reach the published events.
#include "media/MediaKit/Filter.h"
#include "media/MediaKit/FilterGraph.h"

#include "framework/Exceptions.h"

#include <audevcod.h>
#include <dvdevcod.h>

#include <evcode.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// Records what the graph tells a member or a sink, in order.
class TRecorder : public IGraphMember, public IGraphEventSink {
public:
    explicit TRecorder(std::wstring name) : FName(std::move(name)) {}
    Microsoft::WRL::ComPtr<IBaseFilter> MemberFilter() override { return nullptr; }
    std::wstring MemberName() override { return FName; }
    void MemberNotify(TMemberOperation operation, int) override
    {
        static const char* const names[] = {"adding", "added", "removing", "removed"};
        Log.push_back(names[operation]);
    }
    void NotifyGraphEvent(long event, LONG_PTR, LONG_PTR) override { Log.push_back("event " + std::to_string(event)); }
    void NotifyControl(TControlNotice code, int param) override
    {
        Log.push_back("notice " + std::to_string(code) + " " + std::to_string(param));
    }
    std::vector<std::string> Log;

private:
    std::wstring FName;
};

class FilterGraphTest : public testing::Test {
protected:
    void SetUp() override { CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED); }
    void TearDown() override { CoUninitialize(); }
};

using Log = std::vector<std::string>;

} // namespace

TEST_F(FilterGraphTest, ActivationWithoutMembersFiresActivateAndNotice)
{
    TFilterGraph graph(nullptr);
    TRecorder sink(L"sink");
    graph.AddEventSink(&sink);
    int activated = 0;
    graph.OnActivate = [&](TObject* sender) { EXPECT_EQ(sender, &graph); ++activated; };
    graph.SetActive(true);
    EXPECT_TRUE(graph.Active());
    EXPECT_EQ(activated, 1);
    EXPECT_EQ(sink.Log, (Log{"notice 7 1"}));
    EXPECT_NE(graph.Supports<IMediaControl>(), nullptr);
    graph.SetActive(false);
    EXPECT_EQ(sink.Log, (Log{"notice 7 1", "notice 7 0"}));
    EXPECT_EQ(graph.Supports<IMediaControl>(), nullptr);
    graph.RemoveEventSink(&sink);
}

TEST_F(FilterGraphTest, ModeSwitchRebuildsOnlyWhenItChanges)
{
    TFilterGraph graph(nullptr);
    TRecorder member(L"Member");
    graph.AddMember(&member);
    graph.AddEventSink(&member);
    graph.SetActive(true);
    member.Log.clear();

    graph.SetMode(gmNormal);  // the value it has: nothing happens
    EXPECT_TRUE(member.Log.empty());

    graph.SetMode(gmCapture);
    EXPECT_EQ(member.Log, (Log{"notice 7 0", "removing", "removed", "adding", "added", "notice 7 1"}));
    EXPECT_NE(graph.Supports<ICaptureGraphBuilder2>(), nullptr);
    EXPECT_THROW(graph.As<IAMStreamConfig>(), EIntfCastError);

    // A member that leaves while active is taken out at once.
    member.Log.clear();
    graph.RemoveMember(&member);
    EXPECT_EQ(member.Log, (Log{"removing", "removed"}));
    graph.RemoveEventSink(&member);
}

TEST_F(FilterGraphTest, GraphEditRegistersOnlyWhileActive)
{
    auto registeredGraphs = [] {
        Microsoft::WRL::ComPtr<IRunningObjectTable> table;
        GetRunningObjectTable(0, &table);
        Microsoft::WRL::ComPtr<IEnumMoniker> monikers;
        table->EnumRunning(&monikers);
        int count = 0;
        Microsoft::WRL::ComPtr<IMoniker> moniker;
        while (monikers->Next(1, moniker.ReleaseAndGetAddressOf(), nullptr) == S_OK) {
            Microsoft::WRL::ComPtr<IBindCtx> context;
            CreateBindCtx(0, &context);
            LPOLESTR name = nullptr;
            if (SUCCEEDED(moniker->GetDisplayName(context.Get(), nullptr, &name))) {
                count += std::wstring(name).find(L"FilterGraph ") != std::wstring::npos;
                CoTaskMemFree(name);
            }
        }
        return count;
    };
    TFilterGraph graph(nullptr);
    graph.SetGraphEdit(true);
    EXPECT_EQ(registeredGraphs(), 0);
    graph.SetActive(true);
    EXPECT_EQ(registeredGraphs(), 1);
    graph.SetActive(false);
    EXPECT_EQ(registeredGraphs(), 0);
    EXPECT_TRUE(graph.GraphEdit());
}

TEST_F(FilterGraphTest, RenderWhileInactiveAndUncreatableLogFile)
{
    TFilterGraph graph(nullptr);
    TRecorder sink(L"sink");
    graph.AddEventSink(&sink);
    EXPECT_EQ(graph.RenderMediaFile(L"C:\\nothing.avi"), S_FALSE);
    EXPECT_TRUE(sink.Log.empty());

    wchar_t folder[MAX_PATH];
    GetTempPathW(MAX_PATH, folder);
    const std::wstring good = std::wstring(folder) + L"kivora-graph.log";
    graph.SetLogFile(good);
    graph.SetActive(true);
    EXPECT_NE(GetFileAttributesW(good.c_str()), INVALID_FILE_ATTRIBUTES);
    graph.SetLogFile(L"Q:\\no such folder\\graph.log");
    EXPECT_EQ(graph.LogFile(), good);
    graph.SetActive(false);
    DeleteFileW(good.c_str());
    graph.RemoveEventSink(&sink);
}

TEST_F(FilterGraphTest, EventsReachSinksThenTheirPublishedEvent)
{
    TFilterGraph graph(nullptr);
    TRecorder sink(L"sink");
    graph.AddEventSink(&sink);
    Log fired;
    graph.OnDSEvent = [&](TObject*, long code, LONG_PTR, LONG_PTR) { fired.push_back("ds " + std::to_string(code)); };
    graph.OnGraphVideoSizeChanged = [&](TObject*, int width, int height) {
        fired.push_back("size " + std::to_string(width) + "x" + std::to_string(height));
    };
    graph.OnGraphComplete = [&](TObject*, HRESULT hr, IBaseFilter*) { fired.push_back("complete " + std::to_string(hr)); };
    graph.OnDVDDomainTitle = [&](TObject*) { fired.push_back("title domain"); };

    graph.HandleGraphEvent(EC_VIDEO_SIZE_CHANGED, MAKELONG(640, 480), 0);
    graph.HandleGraphEvent(EC_COMPLETE, S_OK, 0);
    graph.HandleGraphEvent(0x7777, 1, 2);              // in no table: only the general ones
    graph.HandleGraphEvent(EC_DVD_DOMAIN_CHANGE, 4, 0);
    graph.HandleGraphEvent(EC_DVD_DOMAIN_CHANGE, 9, 0);  // no such domain: nothing more
    EXPECT_EQ(fired, (Log{"ds 10", "size 640x480", "ds 1", "complete 0", "ds 30583", "ds 257", "title domain", "ds 257"}));
    EXPECT_EQ(sink.Log, (Log{"event 10", "event 1", "event 30583", "event 257", "event 257"}));
    graph.RemoveEventSink(&sink);
}

TEST_F(FilterGraphTest, FilterMembershipAndDestructionOrder)
{
    auto* graph = new TFilterGraph(nullptr);
    TRecorder other(L"Other");
    graph->AddMember(&other);
    auto* filter = new TFilter(nullptr);
    filter->SetName(L"VideoSourceFilter");
    filter->SetFilterGraph(graph);
    filter->SetFilterGraph(graph);  // the same graph twice: still one membership

    // An empty moniker gives no filter, and the other members still join.
    graph->SetActive(true);
    EXPECT_EQ(filter->MemberFilter(), nullptr);
    EXPECT_EQ(other.Log, (Log{"adding", "added"}));
    graph->SetActive(false);
    EXPECT_EQ(other.Log, (Log{"adding", "added", "removing", "removed"}));

    // The graph goes first: the filter forgets it and does not call it when freed.
    graph->RemoveMember(&other);
    graph->Free();
    EXPECT_EQ(filter->FilterGraph(), nullptr);
    filter->Free();
}
