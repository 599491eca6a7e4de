// Published properties: each class lists its properties in its TClassInfo (ClassInfo.h),
// built with the helpers below; lookups walk the class chain, so a property of TControl
// is found on a TButton. Names are matched without regard to case. Code that does not
// know an object's class reads and writes its properties by name:
//   ReadIntProp(obj, L"Tag")      ReadEnumProp(obj, L"Flat") -> L"True"
//   ReadTextProp(obj, L"Caption") ReadObjectProp<TFont>(obj, L"Font")
//   WriteProp(obj, L"Flat", L"True")
// A missing property is never an error: FindProp answers nullptr and the Read helpers
// answer 0, "" or nullptr. Enumerations have value names (KIVORA_ENUM_NAMES).
#pragma once
#include "framework/ClassInfo.h"
#include "framework/Set.h"

#include <any>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <type_traits>
#include <vector>

enum TPropKind { pkInteger, pkBoolean, pkEnumeration, pkSet, pkString, pkObject, pkMethod };

// The value names of an enumeration (ordinals 0..n-1), e.g. {"bsNone", "bsSingle", ...}.
struct TEnumInfo {
    std::wstring TypeName;
    std::vector<std::wstring> Names;
    // The ordinal of a value name (case-insensitive), or -1.
    int ValueOf(std::wstring_view name) const;
    // The name of an ordinal, or "" when it is out of range.
    std::wstring NameOf(std::int64_t ordinal) const;
};

// KIVORA_ENUM_NAMES(TBorderStyle, L"bsNone", L"bsSingle", ...) makes the names of an
// enumeration known to published properties (found by argument-dependent lookup, so write
// it in the enumeration's own namespace).
#define KIVORA_ENUM_NAMES(Enum, ...)                                      \
    inline const ::TEnumInfo& EnumTypeInfo(Enum)                          \
    {                                                                     \
        static const ::TEnumInfo info{L## #Enum, {__VA_ARGS__}};          \
        return info;                                                      \
    }

const TEnumInfo& BooleanTypeInfo();

struct TPropInfo {
    std::wstring Name;
    TPropKind Kind = pkInteger;
    const TEnumInfo* Enum = nullptr;        // enumeration, Boolean and set element names
    const TClassInfo* ObjectClass = nullptr; // object properties: the class of the value
    // Integer, Boolean, enumeration and set values travel as an ordinal (a set as its bit mask).
    std::function<std::int64_t(const TObject&)> GetOrdinal;
    std::function<void(TObject&, std::int64_t)> SetOrdinal;
    std::function<std::wstring(const TObject&)> GetString;
    std::function<void(TObject&, const std::wstring&)> SetString;
    std::function<TObject*(const TObject&)> GetObject;
    std::function<void(TObject&, TObject*)> SetObject;
    // Method (event) properties: whether a handler is assigned, and the TEvent itself.
    std::function<bool(const TObject&)> MethodAssigned;
    std::function<std::any(const TObject&)> GetMethod;
    std::function<void(TObject&, const std::any&)> SetMethod;

    bool ReadOnly() const { return !SetOrdinal && !SetString && !SetObject && !SetMethod; }
};

// ---- Lookup ----------------------------------------------------------------------------
const TPropInfo* FindProp(const TClassInfo& cls, std::wstring_view name);
const TPropInfo* FindProp(const TObject* object, std::wstring_view name);
// Every published property of a class, inherited ones first.
std::vector<const TPropInfo*> PublishedProperties(const TClassInfo& cls);

// ---- By-name access used by layers that do not know an object's class ------------------
// The integer value; 0 for a nil object, a missing property or one that is not an integer.
std::int64_t ReadIntProp(const TObject* object, std::wstring_view name);
// The value name of an enumeration or Boolean property ("True"); "" otherwise.
std::wstring ReadEnumProp(const TObject* object, std::wstring_view name);
// The text of a string property; "" otherwise.
std::wstring ReadTextProp(const TObject* object, std::wstring_view name);
// The object held by an object property when it is an instance of cls; nullptr otherwise.
TObject* ReadObjectProp(const TObject* object, std::wstring_view name, const TClassInfo& cls);
template <class T> T* ReadObjectProp(const TObject* object, std::wstring_view name)
{
    return static_cast<T*>(ReadObjectProp(object, name, T::StaticClass()));
}
// Sets an enumeration or Boolean property by value name (any case) or an integer property
// by its decimal text. Anything else (missing, read-only, other kinds, bad text) is left
// alone; the answer says whether the property was written.
bool WriteProp(TObject* object, std::wstring_view name, std::wstring_view value);

// Any property as text and back: integers in decimal, enumerations by name, sets as
// "[a,b]", strings as they are, objects by component name ("" for none), methods as
// "(assigned)" or "". nullopt: no such property (or, for SetPropText, not writable / bad text).
std::optional<std::wstring> GetPropText(const TObject* object, std::wstring_view name);
bool SetPropText(TObject* object, std::wstring_view name, std::wstring_view value);

// ---- Building property tables ----------------------------------------------------------
namespace propdetail {
inline TPropInfo MakeProp(const wchar_t* name, TPropKind kind, const TEnumInfo* names = nullptr)
{
    TPropInfo p;
    p.Name = name;
    p.Kind = kind;
    p.Enum = names;
    return p;
}
template <class M> struct TMemberOf;
template <class C, class R, class... A> struct TMemberOf<R (C::*)(A...) const> { using Class = C; using Result = R; };
template <class C, class R, class... A> struct TMemberOf<R (C::*)(A...)> { using Class = C; using Result = R; };
template <class C, class R, class... A> struct TMemberOf<R (C::*)(A...) const noexcept> { using Class = C; using Result = R; };
template <class M> using ClassOf = typename TMemberOf<M>::Class;
template <class M> using ValueOf = std::remove_cvref_t<typename TMemberOf<M>::Result>;
template <class E> struct TSetElement;
template <class E> struct TSetElement<TSet<E>> { using Type = E; };

template <class G, class S, class V>
void BindOrdinal(TPropInfo& p, G get, S set)
{
    using C = ClassOf<G>;
    p.GetOrdinal = [get](const TObject& o) -> std::int64_t {
        V v = (static_cast<const C&>(o).*get)();
        if constexpr (std::is_same_v<V, bool>) return v ? 1 : 0;
        else if constexpr (requires { v.Bits(); }) return static_cast<std::int64_t>(v.Bits());
        else return static_cast<std::int64_t>(v);
    };
    if constexpr (!std::is_same_v<S, std::nullptr_t>) {
        using SC = ClassOf<S>;
        p.SetOrdinal = [set](TObject& o, std::int64_t n) {
            if constexpr (std::is_same_v<V, bool>) (static_cast<SC&>(o).*set)(n != 0);
            else if constexpr (requires { V::FromBits(0); }) (static_cast<SC&>(o).*set)(V::FromBits(static_cast<std::uint64_t>(n)));
            else (static_cast<SC&>(o).*set)(static_cast<V>(n));
        };
    }
}
} // namespace propdetail

// IntProp(L"Width", &TControl::Width, &TControl::SetWidth); the setter may be omitted
// for a read-only property.
template <class G, class S = std::nullptr_t> TPropInfo IntProp(const wchar_t* name, G get, S set = nullptr)
{
    TPropInfo p = propdetail::MakeProp(name, pkInteger);
    propdetail::BindOrdinal<G, S, propdetail::ValueOf<G>>(p, get, set);
    return p;
}

template <class G, class S = std::nullptr_t> TPropInfo BoolProp(const wchar_t* name, G get, S set = nullptr)
{
    TPropInfo p = propdetail::MakeProp(name, pkBoolean, &BooleanTypeInfo());
    propdetail::BindOrdinal<G, S, bool>(p, get, set);
    return p;
}

template <class G, class S = std::nullptr_t> TPropInfo EnumProp(const wchar_t* name, G get, S set = nullptr)
{
    using V = propdetail::ValueOf<G>;
    TPropInfo p = propdetail::MakeProp(name, pkEnumeration, &EnumTypeInfo(V{}));
    propdetail::BindOrdinal<G, S, V>(p, get, set);
    return p;
}

template <class G, class S = std::nullptr_t> TPropInfo SetProp(const wchar_t* name, G get, S set = nullptr)
{
    using V = propdetail::ValueOf<G>;
    using E = typename propdetail::TSetElement<V>::Type;
    TPropInfo p = propdetail::MakeProp(name, pkSet, &EnumTypeInfo(E{}));
    propdetail::BindOrdinal<G, S, V>(p, get, set);
    return p;
}

template <class G, class S = std::nullptr_t> TPropInfo StrProp(const wchar_t* name, G get, S set = nullptr)
{
    using C = propdetail::ClassOf<G>;
    TPropInfo p = propdetail::MakeProp(name, pkString);
    p.GetString = [get](const TObject& o) { return std::wstring((static_cast<const C&>(o).*get)()); };
    if constexpr (!std::is_same_v<S, std::nullptr_t>) {
        using SC = propdetail::ClassOf<S>;
        p.SetString = [set](TObject& o, const std::wstring& v) { (static_cast<SC&>(o).*set)(v); };
    }
    return p;
}

// ObjProp(L"Font", &TControl::Font): the getter returns T*; the setter, when given, takes T*.
template <class G, class S = std::nullptr_t> TPropInfo ObjProp(const wchar_t* name, G get, S set = nullptr)
{
    using C = propdetail::ClassOf<G>;
    using T = std::remove_pointer_t<propdetail::ValueOf<G>>;
    TPropInfo p = propdetail::MakeProp(name, pkObject);
    p.ObjectClass = &T::StaticClass();
    p.GetObject = [get](const TObject& o) -> TObject* { return (static_cast<const C&>(o).*get)(); };
    if constexpr (!std::is_same_v<S, std::nullptr_t>) {
        using SC = propdetail::ClassOf<S>;
        p.SetObject = [set](TObject& o, TObject* v) { (static_cast<SC&>(o).*set)(static_cast<T*>(v)); };
    }
    return p;
}

// EventProp(L"OnClick", &TControl::OnClick): an event field (TEvent) of the class.
template <class C, class E> TPropInfo EventProp(const wchar_t* name, E C::*field)
{
    TPropInfo p = propdetail::MakeProp(name, pkMethod);
    p.MethodAssigned = [field](const TObject& o) { return (static_cast<const C&>(o).*field).Assigned(); };
    p.GetMethod = [field](const TObject& o) { return std::any(static_cast<const C&>(o).*field); };
    p.SetMethod = [field](TObject& o, const std::any& v) { static_cast<C&>(o).*field = std::any_cast<const E&>(v); };
    return p;
}
