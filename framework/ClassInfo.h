// Run-time class information: every framework class has one static TClassInfo with its
// name, its parent class and its table of published properties (Properties.h). TObject is
// the root; a class declares itself with KIVORA_CLASS(ThisClass, ParentClass) and defines
// ThisClass::StaticClass() in its .cpp file, listing its published properties there.
// ClassName() is the name the class's windows are registered under ("TButton", "TMainForm").
#pragma once
#include <string>
#include <vector>

struct TPropInfo;

struct TClassInfo {
    TClassInfo(std::wstring name, const TClassInfo* parent, std::vector<TPropInfo> properties = {});
    ~TClassInfo();
    std::wstring Name;
    const TClassInfo* Parent;
    std::vector<TPropInfo> Properties; // this class's own; inherited ones are found through Parent

    bool InheritsFrom(const TClassInfo& other) const;
};

class TObject {
public:
    virtual ~TObject() = default;
    static const TClassInfo& StaticClass();
    virtual const TClassInfo& ClassType() const { return StaticClass(); }
    const std::wstring& ClassName() const { return ClassType().Name; }
    bool InheritsFrom(const TClassInfo& other) const { return ClassType().InheritsFrom(other); }
    template <class T> bool Is() const { return InheritsFrom(T::StaticClass()); }
};

// The object as a T when it is one, else nullptr (also for a null object).
template <class T> T* As(TObject* object) { return dynamic_cast<T*>(object); }
template <class T> const T* As(const TObject* object) { return dynamic_cast<const T*>(object); }

#define KIVORA_CLASS(ThisClass, ParentClass)                                        \
public:                                                                             \
    using inherited = ParentClass;                                                  \
    static const ::TClassInfo& StaticClass();                                       \
    const ::TClassInfo& ClassType() const override { return StaticClass(); }        \
                                                                                    \
private:
