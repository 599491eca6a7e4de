#include "framework/Properties.h"
#include "framework/Component.h"
#include "framework/Text.h"

#include <cwchar>

int TEnumInfo::ValueOf(std::wstring_view name) const
{
    for (size_t i = 0; i < Names.size(); ++i)
        if (SameText(Names[i], name))
            return static_cast<int>(i);
    return -1;
}

std::wstring TEnumInfo::NameOf(std::int64_t ordinal) const
{
    if (ordinal < 0 || ordinal >= static_cast<std::int64_t>(Names.size()))
        return {};
    return Names[static_cast<size_t>(ordinal)];
}

const TEnumInfo& BooleanTypeInfo()
{
    static const TEnumInfo info{L"Boolean", {L"False", L"True"}};
    return info;
}

const TPropInfo* FindProp(const TClassInfo& cls, std::wstring_view name)
{
    for (const TClassInfo* c = &cls; c; c = c->Parent)
        for (const TPropInfo& p : c->Properties)
            if (SameText(p.Name, name))
                return &p;
    return nullptr;
}

const TPropInfo* FindProp(const TObject* object, std::wstring_view name)
{
    return object ? FindProp(object->ClassType(), name) : nullptr;
}

std::vector<const TPropInfo*> PublishedProperties(const TClassInfo& cls)
{
    std::vector<const TPropInfo*> result = cls.Parent ? PublishedProperties(*cls.Parent) : std::vector<const TPropInfo*>{};
    for (const TPropInfo& p : cls.Properties)
        result.push_back(&p);
    return result;
}

std::int64_t ReadIntProp(const TObject* object, std::wstring_view name)
{
    const TPropInfo* p = FindProp(object, name);
    return p && p->Kind == pkInteger ? p->GetOrdinal(*object) : 0;
}

std::wstring ReadEnumProp(const TObject* object, std::wstring_view name)
{
    const TPropInfo* p = FindProp(object, name);
    if (!p || (p->Kind != pkEnumeration && p->Kind != pkBoolean))
        return {};
    return p->Enum->NameOf(p->GetOrdinal(*object));
}

std::wstring ReadTextProp(const TObject* object, std::wstring_view name)
{
    const TPropInfo* p = FindProp(object, name);
    return p && p->Kind == pkString ? p->GetString(*object) : std::wstring();
}

TObject* ReadObjectProp(const TObject* object, std::wstring_view name, const TClassInfo& cls)
{
    const TPropInfo* p = FindProp(object, name);
    if (!p || p->Kind != pkObject)
        return nullptr;
    TObject* value = p->GetObject(*object);
    return value && value->InheritsFrom(cls) ? value : nullptr;
}

namespace {

std::optional<std::int64_t> ParseInteger(std::wstring_view text)
{
    std::wstring s(text);
    if (s.empty())
        return std::nullopt;
    wchar_t* end = nullptr;
    errno = 0;
    long long v = std::wcstoll(s.c_str(), &end, 10);
    if (errno != 0 || end != s.c_str() + s.size())
        return std::nullopt;
    return v;
}

std::wstring Trim(std::wstring_view s)
{
    size_t b = s.find_first_not_of(L' '), e = s.find_last_not_of(L' ');
    return b == std::wstring_view::npos ? std::wstring() : std::wstring(s.substr(b, e - b + 1));
}

} // namespace

bool WriteProp(TObject* object, std::wstring_view name, std::wstring_view value)
{
    const TPropInfo* p = FindProp(object, name);
    if (!p || !p->SetOrdinal)
        return false;
    if (p->Kind == pkEnumeration || p->Kind == pkBoolean) {
        int v = p->Enum->ValueOf(value);
        if (v < 0)
            return false;
        p->SetOrdinal(*object, v);
        return true;
    }
    if (p->Kind == pkInteger) {
        auto v = ParseInteger(value);
        if (!v)
            return false;
        p->SetOrdinal(*object, *v);
        return true;
    }
    return false;
}

std::optional<std::wstring> GetPropText(const TObject* object, std::wstring_view name)
{
    const TPropInfo* p = FindProp(object, name);
    if (!p)
        return std::nullopt;
    switch (p->Kind) {
    case pkInteger:
        return std::to_wstring(p->GetOrdinal(*object));
    case pkBoolean:
    case pkEnumeration:
        return p->Enum->NameOf(p->GetOrdinal(*object));
    case pkSet: {
        auto bits = static_cast<std::uint64_t>(p->GetOrdinal(*object));
        std::wstring text = L"[";
        for (size_t i = 0; i < p->Enum->Names.size() && i < 64; ++i)
            if (bits & (std::uint64_t{1} << i))
                text += (text.size() > 1 ? L"," : L"") + p->Enum->Names[i];
        return text + L"]";
    }
    case pkString:
        return p->GetString(*object);
    case pkObject: {
        auto* component = As<TComponent>(p->GetObject(*object));
        return component ? component->Name() : std::wstring();
    }
    case pkMethod:
        return p->MethodAssigned(*object) ? std::wstring(L"(assigned)") : std::wstring();
    }
    return std::nullopt;
}

bool SetPropText(TObject* object, std::wstring_view name, std::wstring_view value)
{
    const TPropInfo* p = FindProp(object, name);
    if (!p)
        return false;
    switch (p->Kind) {
    case pkInteger:
    case pkBoolean:
    case pkEnumeration:
        return WriteProp(object, name, value);
    case pkSet: {
        if (!p->SetOrdinal || value.size() < 2 || value.front() != L'[' || value.back() != L']')
            return false;
        std::uint64_t bits = 0;
        std::wstring_view inner = value.substr(1, value.size() - 2);
        while (!inner.empty()) {
            size_t comma = inner.find(L',');
            std::wstring item = Trim(inner.substr(0, comma));
            inner = comma == std::wstring_view::npos ? std::wstring_view() : inner.substr(comma + 1);
            if (item.empty())
                continue;
            int v = p->Enum->ValueOf(item);
            if (v < 0 || v >= 64)
                return false;
            bits |= std::uint64_t{1} << v;
        }
        p->SetOrdinal(*object, static_cast<std::int64_t>(bits));
        return true;
    }
    case pkString:
        if (!p->SetString)
            return false;
        p->SetString(*object, std::wstring(value));
        return true;
    case pkObject:
    case pkMethod:
        return false;
    }
    return false;
}
