// TStrings: an ordered list of texts (a combo box's Items). Descendants that mirror the
// list in a window hear every change through the protected hooks.
#pragma once
#include "framework/Persistent.h"

#include <string>
#include <vector>

class TStrings : public TPersistent {
    KIVORA_CLASS(TStrings, TPersistent)
public:
    int Count() const { return static_cast<int>(FItems.size()); }
    const std::wstring& Strings(int index) const { return FItems.at(static_cast<size_t>(index)); }
    const std::wstring& operator[](int index) const { return Strings(index); }
    int Add(const std::wstring& text);
    void Insert(int index, const std::wstring& text);
    void Delete(int index);
    void Clear();
    int IndexOf(const std::wstring& text) const;
    const std::vector<std::wstring>& Items() const { return FItems; }
    void Assign(const TPersistent& source) override;

protected:
    virtual void Inserted(int /*index*/) {}
    virtual void Deleted(int /*index*/) {}
    virtual void Cleared() {}

private:
    std::vector<std::wstring> FItems;
};
