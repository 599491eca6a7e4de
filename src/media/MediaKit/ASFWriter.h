// TASFWriter: puts the platform's Windows Media ASF writer filter into a TFilterGraph and
// configures it: the system profile (which decides the streams and bit rates), the output
// file, three encoder parameters and, when Port and MaxUsers are both set, a network
// sink through which clients watch the stream live.
//
// While the graph is inactive the component only stores Profile and FileName. Each
// activation creates a fresh writer and applies the stored values; while the writer
// exists, Profile and FileName go straight to it. Nothing here raises: a missing writer
// or a rejected setting shows when the caller connects the streams to the writer.
#pragma once

#include "media/MediaKit/AsfWriterInterfaces.h"
#include "framework/ComMemory.h"
#include "media/MediaKit/FilterGraph.h"
#include "media/MediaKit/GraphLink.h"
#include "media/MediaKit/GraphMember.h"
#include "media/MediaKit/MediaComponent.h"
#include "media/MediaUtil/SystemProfiles.h"

#include <memory>
#include <string>

// The platform objects the component holds while its writer is in an active graph; all
// empty before the graph adds the writer and after it has removed it.
struct TAsfWriterObjects {
    Microsoft::WRL::ComPtr<IWMWriterAdvanced2> AdvancedWriter;
    Microsoft::WRL::ComPtr<IWMWriterNetworkSink> NetworkSink;  // only with Port and MaxUsers above 0
    Microsoft::WRL::ComPtr<IPin> Pins[2];                      // pin 1 only when the writer has exactly two
    Microsoft::WRL::ComPtr<IAMStreamConfig> StreamConfigs[2];  // the two pins' format interfaces
    Microsoft::WRL::ComPtr<IBaseFilter> Writer;
};

class TASFWriter : public TMediaComponent, public IGraphMember {
    KIVORA_CLASS(TASFWriter, TMediaComponent)
public:
    explicit TASFWriter(TComponent* owner);
    ~TASFWriter() override;

    TFilterGraph* FilterGraph() const { return FGraphLink.Graph(); }
    void SetFilterGraph(TFilterGraph* graph) { FGraphLink.Set(graph); }
    // While the writer exists: the writer's current profile (255 when it is none of the
    // system profiles); otherwise the stored one.
    TWMPofiles8 Profile() const;
    // While the writer exists the writer is reconfigured and the stored value is kept;
    // otherwise the value is stored. A value outside the system profiles is ignored.
    void SetProfile(TWMPofiles8 profile);
    // While the writer exists: the file the writer reports; otherwise the stored name.
    std::wstring FileName() const;
    void SetFileName(const std::wstring& fileName);
    DWORD Port() const { return FPort; }
    void SetPort(DWORD port) { FPort = port; }
    DWORD MaxUsers() const { return FMaxUsers; }
    void SetMaxUsers(DWORD maxUsers) { FMaxUsers = maxUsers; }
    bool AutoIndex() const { return FAutoIndex; }
    void SetAutoIndex(bool value) { FAutoIndex = value; }
    bool MultiPass() const { return FMultiPass; }
    void SetMultiPass(bool value) { FMultiPass = value; }
    bool DontCompress() const { return FDontCompress; }
    void SetDontCompress(bool value) { FDontCompress = value; }

    const TAsfWriterObjects& Objects() const { return FObjects; }

    HRESULT QueryInterface(REFIID iid, void** object) override;
    void Notification(TComponent* component, TOperation operation) override;

    Microsoft::WRL::ComPtr<IBaseFilter> MemberFilter() override { return FObjects.Writer; }
    std::wstring MemberName() override { return Name(); }
    void MemberNotify(TMemberOperation operation, int param) override;

private:
    void ConfigureWriter();
    void KeepPins();
    void OpenNetworkSink();

    TGraphLink FGraphLink{*this, *this};
    TWMPofiles8 FProfile = wmp_V70_1500FilmContentVideo;  // a new component's stored value (the form stores its own)
    std::wstring FFileName;
    DWORD FPort = 0;
    DWORD FMaxUsers = 0;
    bool FAutoIndex = true;
    bool FMultiPass = false;
    bool FDontCompress = false;

    // The Windows Media Format runtime stays loaded while its network sink lives, so it
    // is declared before the objects (and so released after them).
    TModuleHandle FFormatRuntime;
    TAsfWriterObjects FObjects;
};
