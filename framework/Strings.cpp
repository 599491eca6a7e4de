#include "framework/Strings.h"
#include "framework/Exceptions.h"

#include <algorithm>

const TClassInfo& TStrings::StaticClass()
{
    static const TClassInfo info(L"TStrings", &TPersistent::StaticClass(), {
        IntProp(L"Count", &TStrings::Count),
    });
    return info;
}

int TStrings::Add(const std::wstring& text)
{
    Insert(Count(), text);
    return Count() - 1;
}

void TStrings::Insert(int index, const std::wstring& text)
{
    if (index < 0 || index > Count())
        throw EInvalidOperation(L"List index out of bounds (" + std::to_wstring(index) + L")");
    FItems.insert(FItems.begin() + index, text);
    Inserted(index);
}

void TStrings::Delete(int index)
{
    if (index < 0 || index >= Count())
        throw EInvalidOperation(L"List index out of bounds (" + std::to_wstring(index) + L")");
    FItems.erase(FItems.begin() + index);
    Deleted(index);
}

void TStrings::Clear()
{
    FItems.clear();
    Cleared();
}

int TStrings::IndexOf(const std::wstring& text) const
{
    auto it = std::find(FItems.begin(), FItems.end(), text);
    return it == FItems.end() ? -1 : static_cast<int>(it - FItems.begin());
}

void TStrings::Assign(const TPersistent& source)
{
    if (auto* other = As<TStrings>(&source)) {
        Clear();
        for (const std::wstring& s : other->FItems)
            Add(s);
        return;
    }
    TPersistent::Assign(source);
}
