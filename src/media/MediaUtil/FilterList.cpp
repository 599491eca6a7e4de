#include "media/MediaUtil/FilterList.h"

#include <algorithm>
#include <stdexcept>
#include "framework/Exceptions.h"

size_t CheckedListIndex(int index, int count)
{
    if (index < 0 || index >= count)
        throw EInvalidOperation(L"List index out of bounds (" + std::to_wstring(index) + L")");
    return static_cast<size_t>(index);
}

using Microsoft::WRL::ComPtr;

std::wstring FilterName(IBaseFilter* filter)
{
    FILTER_INFO info{};
    if (FAILED(filter->QueryFilterInfo(&info)))
        return L"";
    ComPtr<IFilterGraph> graph;
    graph.Attach(info.pGraph);  // QueryFilterInfo hands out a counted reference
    return info.achName;
}

TFilterList::TFilterList(IFilterGraph* graph) : Graph(graph)
{
    Update();
}

void TFilterList::Update()
{
    ComPtr<IEnumFilters> filters;
    if (!Graph || FAILED(Graph->EnumFilters(&filters)))
        return;
    ComPtr<IBaseFilter> filter;
    while (filters->Next(1, filter.ReleaseAndGetAddressOf(), nullptr) == S_OK)
        FItems.push_back(filter);
}

int TFilterList::Add(IBaseFilter* filter)
{
    FItems.emplace_back(filter);
    return Count() - 1;
}

int TFilterList::Remove(IBaseFilter* filter)
{
    auto found = std::find_if(FItems.begin(), FItems.end(),
                              [filter](const ComPtr<IBaseFilter>& item) { return item.Get() == filter; });
    if (found == FItems.end())
        return -1;
    int index = int(found - FItems.begin());
    FItems.erase(found);
    return index;
}

TPinList::TPinList(IBaseFilter* filter) : Filter(filter)
{
    Update();
}

void TPinList::Update()
{
    FItems.clear();
    ComPtr<IEnumPins> pins;
    if (!Filter || FAILED(Filter->EnumPins(&pins)))
        return;
    ComPtr<IPin> pin;
    while (pins->Next(1, pin.ReleaseAndGetAddressOf(), nullptr) == S_OK)
        FItems.push_back(pin);
}

void TPinList::Delete(int index)
{
    FItems.erase(FItems.begin() + static_cast<std::ptrdiff_t>(CheckedListIndex(index, Count())));
}

void TPinList::PinInfo(int index, PIN_INFO& info) const
{
    if (ComPtr<IPin> pin = Items(index))
        pin->QueryPinInfo(&info);
}

namespace {

// A pin's record, holding the filter reference that QueryPinInfo hands out.
struct TOwnedPinInfo : PIN_INFO {
    TOwnedPinInfo() : PIN_INFO{} {}
    ~TOwnedPinInfo() { ComPtr<IBaseFilter> owner; owner.Attach(pFilter); }
    TOwnedPinInfo(const TOwnedPinInfo&) = delete;
    TOwnedPinInfo& operator=(const TOwnedPinInfo&) = delete;
};

} // namespace

PIN_DIRECTION TPinList::Direction(int index) const
{
    TOwnedPinInfo info;
    PinInfo(index, info);
    return info.dir;
}

std::wstring TPinList::Name(int index) const
{
    TOwnedPinInfo info;
    PinInfo(index, info);
    return info.achName;
}
