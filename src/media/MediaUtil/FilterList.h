// Snapshot lists of the filters of a filter graph and of the pins of a filter.
#pragma once

#include <windows.h>
#include <strmif.h>
#include <wrl/client.h>

#include <string>
#include <vector>

// index as a vector index when 0 <= index < count; otherwise raises the framework's
// "List index out of bounds (index)".
size_t CheckedListIndex(int index, int count);

// The name a filter has in its graph ("" when it cannot tell).
std::wstring FilterName(IBaseFilter* filter);

class TFilterList {
public:
    explicit TFilterList(IFilterGraph* graph);

    // Appends every filter of the graph.
    void Update();
    int Count() const { return int(FItems.size()); }
    // The filter at index; the framework's list index error outside the list.
    Microsoft::WRL::ComPtr<IBaseFilter> Items(int index) const { return FItems[CheckedListIndex(index, Count())]; }
    int Add(IBaseFilter* filter);
    // Removes the first entry that is the same object; its former index, or -1.
    int Remove(IBaseFilter* filter);

    Microsoft::WRL::ComPtr<IFilterGraph> Graph;

private:
    std::vector<Microsoft::WRL::ComPtr<IBaseFilter>> FItems;
};

class TPinList {
public:
    explicit TPinList(IBaseFilter* filter);

    // Lists the filter's pins anew, in the filter's enumeration order.
    void Update();
    int Count() const { return int(FItems.size()); }
    // The pin at index; the framework's list index error outside the list (a device
    // filter without pins raises it for First).
    Microsoft::WRL::ComPtr<IPin> Items(int index) const { return FItems[CheckedListIndex(index, Count())]; }
    Microsoft::WRL::ComPtr<IPin> First() const { return Items(0); }
    void Delete(int index);
    // The pin's QueryPinInfo record; the caller releases info.pFilter. Left unchanged
    // for an empty entry.
    void PinInfo(int index, PIN_INFO& info) const;
    // The pin's direction and name from its PIN_INFO (the record's filter reference is
    // released here).
    PIN_DIRECTION Direction(int index) const;
    std::wstring Name(int index) const;

    Microsoft::WRL::ComPtr<IBaseFilter> Filter;

private:
    std::vector<Microsoft::WRL::ComPtr<IPin>> FItems;
};
