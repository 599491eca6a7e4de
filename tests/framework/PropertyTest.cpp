// Published properties by name: every kind, inherited along the class chain, missing ones.
#include "framework/Component.h"
#include "framework/Event.h"
#include "framework/Properties.h"

#include <gtest/gtest.h>

namespace {

enum TWidgetShape { wsRound, wsSquare, wsStar };
enum TWidgetPart { wpLeft, wpTop, wpRight, wpBottom };
KIVORA_ENUM_NAMES(TWidgetShape, L"wsRound", L"wsSquare", L"wsStar")
KIVORA_ENUM_NAMES(TWidgetPart, L"wpLeft", L"wpTop", L"wpRight", L"wpBottom")

class TWidget : public TComponent {
    KIVORA_CLASS(TWidget, TComponent)
public:
    using TComponent::TComponent;
    int Margin() const { return FMargin; }
    void SetMargin(int v) { FMargin = v; }
    bool Flat() const { return FFlat; }
    void SetFlat(bool v) { FFlat = v; }
    TWidgetShape Shape() const { return FShape; }
    void SetShape(TWidgetShape v) { FShape = v; }
    TSet<TWidgetPart> Parts() const { return FParts; }
    void SetParts(TSet<TWidgetPart> v) { FParts = v; }
    const std::wstring& Caption() const { return FCaption; }
    void SetCaption(const std::wstring& v) { FCaption = v; }
    TComponent* Link() const { return FLink; }
    void SetLink(TComponent* v) { FLink = v; }
    int Count() const { return 7; }
    TNotifyEvent OnChange;

private:
    int FMargin = 0;
    bool FFlat = false;
    TWidgetShape FShape = wsRound;
    TSet<TWidgetPart> FParts;
    std::wstring FCaption;
    TComponent* FLink = nullptr;
};

class TFancyWidget : public TWidget {
    KIVORA_CLASS(TFancyWidget, TWidget)
public:
    using TWidget::TWidget;
    const std::wstring& Glyph() const { return FGlyph; }
    void SetGlyph(const std::wstring& v) { FGlyph = v; }

private:
    std::wstring FGlyph;
};

const TClassInfo& TWidget::StaticClass()
{
    static const TClassInfo info(L"TWidget", &TComponent::StaticClass(), {
        IntProp(L"Margin", &TWidget::Margin, &TWidget::SetMargin),
        BoolProp(L"Flat", &TWidget::Flat, &TWidget::SetFlat),
        EnumProp(L"Shape", &TWidget::Shape, &TWidget::SetShape),
        SetProp(L"Parts", &TWidget::Parts, &TWidget::SetParts),
        StrProp(L"Caption", &TWidget::Caption, &TWidget::SetCaption),
        ObjProp(L"Link", &TWidget::Link, &TWidget::SetLink),
        IntProp(L"Count", &TWidget::Count),
        EventProp(L"OnChange", &TWidget::OnChange),
    });
    return info;
}

const TClassInfo& TFancyWidget::StaticClass()
{
    static const TClassInfo info(L"TFancyWidget", &TWidget::StaticClass(), {
        StrProp(L"Glyph", &TFancyWidget::Glyph, &TFancyWidget::SetGlyph),
    });
    return info;
}

TEST(Properties, ReadEveryKindByName)
{
    TComponent other(nullptr);
    other.SetName(L"Graph");
    TFancyWidget w(nullptr);
    w.SetMargin(-3);
    w.SetFlat(true);
    w.SetShape(wsStar);
    w.SetParts({wpTop, wpBottom});
    w.SetCaption(L"视频设备");
    w.SetLink(&other);
    w.SetTag(99);

    EXPECT_EQ(ReadIntProp(&w, L"Margin"), -3);
    EXPECT_EQ(ReadIntProp(&w, L"tag"), 99); // inherited from TComponent, any case
    EXPECT_EQ(ReadEnumProp(&w, L"Flat"), L"True");
    EXPECT_EQ(ReadEnumProp(&w, L"Shape"), L"wsStar");
    EXPECT_EQ(ReadTextProp(&w, L"Caption"), L"视频设备");
    EXPECT_EQ(ReadObjectProp<TComponent>(&w, L"Link"), &other);
    EXPECT_EQ(ReadObjectProp<TWidget>(&w, L"Link"), nullptr); // of another class
    EXPECT_EQ(GetPropText(&w, L"Parts"), L"[wpTop,wpBottom]");
    EXPECT_EQ(GetPropText(&w, L"Link"), L"Graph");
    EXPECT_EQ(GetPropText(&w, L"OnChange"), L"");
    w.OnChange = [](TObject*) {};
    EXPECT_EQ(GetPropText(&w, L"OnChange"), L"(assigned)");
    EXPECT_EQ(GetPropText(&w, L"Glyph"), L"");
    EXPECT_EQ(w.ClassName(), L"TFancyWidget");
    EXPECT_TRUE(w.Is<TWidget>());
}

TEST(Properties, ReadsOfTheWrongKindGiveEmptyAnswers)
{
    TWidget w(nullptr);
    w.SetCaption(L"x");
    EXPECT_EQ(ReadIntProp(&w, L"Caption"), 0);
    EXPECT_EQ(ReadIntProp(&w, L"Shape"), 0);
    EXPECT_EQ(ReadIntProp(&w, L"Flat"), 0);
    EXPECT_EQ(ReadEnumProp(&w, L"Margin"), L"");
    EXPECT_EQ(ReadTextProp(&w, L"Margin"), L"");
    EXPECT_EQ(ReadObjectProp<TComponent>(&w, L"Caption"), nullptr);
}

TEST(Properties, MissingPropertyOrNilObjectIsNotFoundNeverACrash)
{
    TWidget w(nullptr);
    EXPECT_EQ(FindProp(&w, L"NoSuchThing"), nullptr);
    EXPECT_EQ(FindProp(nullptr, L"Margin"), nullptr);
    EXPECT_EQ(ReadIntProp(&w, L"NoSuchThing"), 0);
    EXPECT_EQ(ReadEnumProp(nullptr, L"Flat"), L"");
    EXPECT_EQ(ReadTextProp(&w, L"Glyph"), L""); // only TFancyWidget has it
    EXPECT_EQ(ReadObjectProp<TComponent>(nullptr, L"Link"), nullptr);
    EXPECT_FALSE(WriteProp(&w, L"NoSuchThing", L"1"));
    EXPECT_FALSE(WriteProp(nullptr, L"Margin", L"1"));
    EXPECT_EQ(GetPropText(&w, L"NoSuchThing"), std::nullopt);
    EXPECT_FALSE(SetPropText(&w, L"NoSuchThing", L"1"));
}

TEST(Properties, WritePropTakesEnumerationNamesAndDecimalIntegers)
{
    TFancyWidget w(nullptr);
    struct Case {
        const wchar_t* name;
        const wchar_t* value;
        bool written;
    } cases[] = {
        {L"Flat", L"True", true},     {L"flat", L"false", true},  {L"Flat", L"yes", false},
        {L"Shape", L"wsSquare", true}, {L"Shape", L"WSSTAR", true}, {L"Shape", L"wsOval", false},
        {L"Margin", L"16711935", true}, {L"Margin", L"-7", true}, {L"Margin", L"12px", false},
        {L"Margin", L"", false},       {L"Caption", L"text", false}, // strings are not written by WriteProp
        {L"Count", L"3", false},       // read-only
        {L"Parts", L"[wpLeft]", false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(WriteProp(&w, c.name, c.value), c.written) << c.name << L"=" << c.value;
    EXPECT_FALSE(w.Flat());
    EXPECT_EQ(w.Shape(), wsStar);
    EXPECT_EQ(w.Margin(), -7);
    EXPECT_EQ(w.Caption(), L"");
}

TEST(Properties, TextRoundTripForSetsAndStrings)
{
    TFancyWidget w(nullptr);
    EXPECT_TRUE(SetPropText(&w, L"Parts", L"[wpLeft, wpRight]"));
    EXPECT_EQ(w.Parts(), (TSet<TWidgetPart>{wpLeft, wpRight}));
    EXPECT_FALSE(SetPropText(&w, L"Parts", L"[wpMiddle]"));
    EXPECT_TRUE(SetPropText(&w, L"Parts", L"[]"));
    EXPECT_TRUE(w.Parts().Empty());
    EXPECT_TRUE(SetPropText(&w, L"Glyph", L"arrow"));
    EXPECT_EQ(w.Glyph(), L"arrow");
    EXPECT_EQ(GetPropText(&w, L"Count"), L"7");
}

TEST(Properties, TableListsInheritedPropertiesFirst)
{
    auto props = PublishedProperties(TFancyWidget::StaticClass());
    ASSERT_GE(props.size(), 3u);
    EXPECT_EQ(props.front()->Name, L"Name");
    EXPECT_EQ(props.back()->Name, L"Glyph");
    const TPropInfo* onChange = FindProp(TFancyWidget::StaticClass(), L"onchange");
    ASSERT_NE(onChange, nullptr);
    EXPECT_EQ(onChange->Kind, pkMethod);
}

TEST(Properties, MethodPropertyCopiesAHandlerByName)
{
    TWidget source(nullptr), target(nullptr);
    int calls = 0;
    source.OnChange = [&](TObject*) { ++calls; };
    const TPropInfo* p = FindProp(&source, L"OnChange");
    p->SetMethod(target, p->GetMethod(source));
    target.OnChange(&target);
    EXPECT_EQ(calls, 1);
}

} // namespace
