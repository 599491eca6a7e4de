// All media types a pin offers, each as an owned TMediaType, with readable descriptions.
#pragma once

#include "media/MediaUtil/MediaType.h"

#include <memory>
#include <string>
#include <vector>

class TEnumMediaType {
public:
    // Lists the pin's media types (empty when its enumerator cannot be had).
    void AssignPin(IPin* pin);
    // Lists what the enumerator delivers, replacing the current items.
    void AssignEnum(IEnumMediaTypes* enumerator);

    int Count() const { return int(FItems.size()); }
    // The item at index; std::out_of_range outside the list.
    TMediaType& Items(int index) const { return *FItems.at(size_t(index)); }
    // MediaTypeDescription of the item, or "" outside the list.
    std::wstring Description(int index) const;
    void Clear() { FItems.clear(); }

private:
    std::vector<std::unique_ptr<TMediaType>> FItems;
};
