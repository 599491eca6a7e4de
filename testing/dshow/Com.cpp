#include "Com.h"

#include <cstring>

namespace kivora::dshow {

std::atomic<long>& ObjectCount()
{
    static std::atomic<long> count{0};
    return count;
}

std::atomic<long>& ServerLocks()
{
    static std::atomic<long> locks{0};
    return locks;
}

HRESULT AnswerInterface(REFIID iid, void** out, std::initializer_list<TInterfaceEntry> table)
{
    if (!out)
        return E_POINTER;
    *out = nullptr;
    for (const TInterfaceEntry& entry : table) {
        if (IsEqualIID(iid, *entry.iid)) {
            entry.pointer->AddRef();
            *out = entry.pointer;
            return S_OK;
        }
    }
    return E_NOINTERFACE;
}

LPWSTR TaskString(const std::wstring& text)
{
    const size_t bytes = (text.size() + 1) * sizeof(wchar_t);
    auto* copy = static_cast<LPWSTR>(CoTaskMemAlloc(bytes));
    if (copy)
        std::memcpy(copy, text.c_str(), bytes);
    return copy;
}

} // namespace kivora::dshow
