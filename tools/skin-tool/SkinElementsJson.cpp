#include "SkinElementsJson.h"

#include "JsonWriter.h"

namespace {

using TElements = TSkinInfoElements;
using TObject = TDataSkinObjectOf<TSkinPictureInfo>;
using TBorder = TDataSkinBorderOf<TSkinPictureInfo>;

void WritePicture(TJsonWriter& json, const char* key, const TSkinPictureInfo& picture)
{
    if (picture.Empty()) {
        json.Null(key);
        return;
    }
    json.BeginObject(key);
    if (!picture.Member().empty())
        json.String("member", picture.Member());
    json.Number("width", picture.Width());
    json.Number("height", picture.Height());
    json.EndObject();
}

// The fields every record has.
void WriteBase(TJsonWriter& json, const TObject& r)
{
    json.String("name", r.Name);
    WritePicture(json, "image", r.Image);
    json.Number("frameCount", r.FrameCount);
    json.BeginObject("margins");
    json.Number("left", r.Margins.Left);
    json.Number("top", r.Margins.Top);
    json.Number("right", r.Margins.Right);
    json.Number("bottom", r.Margins.Bottom);
    json.EndObject();
    json.Number("trans", r.Trans);
    json.Number("tile", r.Tile);
    json.Number("style", r.Style);
    json.Number("normalColour", r.NormalColour);
    json.Number("mouseOverColour", r.MouseOverColour);
    json.Number("pressedColour", r.PressedColour);
    json.String("normalColour2", SkinColorText(r.NormalColour2));
    json.String("mouseOverColour2", SkinColorText(r.MouseOverColour2));
    json.String("pressedColour2", SkinColorText(r.PressedColour2));
}

// The extra fields of each record kind; overloads pick the right one.
void WriteExtra(TJsonWriter&, const TObject&) {}

void WriteExtra(TJsonWriter& json, const TBorder& r)
{
    WritePicture(json, "image2", r.Image2);
}

void WriteExtra(TJsonWriter& json, const TDataSkinTitleOf<TSkinPictureInfo>& r)
{
    json.Number("textAlignment", r.TextAlignment);
    json.Number("textBackground", r.TextBackground);
    json.Number("fontHeight", r.FontHeight);
    json.Number("textBackLeft", r.TextBackLeft);
    json.Number("textBackRight", r.TextBackRight);
    json.String("activeTextColor", SkinColorText(r.ActiveTextColor));
    json.String("inactiveTextColor", SkinColorText(r.InactiveTextColor));
}

void WriteExtra(TJsonWriter& json, const TDataSkinButtonOf<TSkinPictureInfo>& r)
{
    WritePicture(json, "checkImage", r.CheckImage);
    WritePicture(json, "radioImage", r.RadioImage);
    json.Number("checkFrameCount", r.CheckFrameCount);
    json.Number("radioFrameCount", r.RadioFrameCount);
    json.Bool("hasNormalColour2", r.HasNormalColour2);
    json.Bool("hasMouseOverColour2", r.HasMouseOverColour2);
    json.Bool("hasPressedColour2", r.HasPressedColour2);
}

void WriteExtra(TJsonWriter& json, const TDataSkinSysButtonOf<TSkinPictureInfo>& r)
{
    json.Number("action", r.Action);
    json.Number("align", r.Align);
    json.Number("xCoord", r.XCoord);
    json.Number("yCoord", r.YCoord);
    json.Number("combineOp", r.CombineOp);
    json.Number("visibility", r.Visibility);
    json.Number("visibility1", r.Visibility1);
}

void WriteExtra(TJsonWriter& json, const TDataSkinBoxLabelOf<TSkinPictureInfo>& r)
{
    json.Number("backgroundAlignment", r.BackgroundAlignment);
    json.Number("backgroundLeftShift", r.BackgroundLeftShift);
    json.Number("backgroundRightShift", r.BackgroundRightShift);
}

template <class TRecord>
void WriteRecord(TJsonWriter& json, const char* key, const TRecord* r)
{
    if (!r) {
        json.Null(key);
        return;
    }
    json.BeginObject(key);
    WriteBase(json, *r);
    WriteExtra(json, *r);
    json.EndObject();
}

void WriteColours(TJsonWriter& json, const TElements& e)
{
    const struct {
        const char* Key;
        TSkinColor Value;
    } colours[] = {
        {"windowText", e.ColorWindowText},       {"buttonFace", e.ColorButtonFace},
        {"scrollbar", e.ColorScrollbar},         {"hilightText", e.ColorHilightText},
        {"hilight", e.ColorHilight},             {"menubar", e.ColorMenubar},
        {"menu", e.ColorMenu},                   {"menuText", e.ColorMenuText},
        {"buttonText", e.ColorButtonText},       {"buttonHilight", e.ColorButtonHilight},
        {"buttonLight", e.ColorButtonLight},     {"buttonShadow", e.ColorButtonShadow},
        {"buttonDkShadow", e.ColorButtonDkShadow}, {"menuBarText", e.ColorMenuBarText},
        {"titleTextActive", e.ColorTitleTextActive}, {"titleTextNoActive", e.ColorTitleTextNoActive},
    };
    json.BeginObject("colours");
    for (const auto& c : colours)
        json.String(c.Key, SkinColorText(c.Value));
    json.EndObject();
    json.BeginArray("sectionColors");
    for (const TSkinColor c : e.SectionColors)
        json.String(nullptr, SkinColorText(c));
    json.EndArray();
    json.BeginArray("customColors");
    for (const TSkinColor c : e.CustomColors)
        json.String(nullptr, SkinColorText(c));
    json.EndArray();
}

}  // namespace

std::string SkinColorText(TSkinColor color)
{
    if (color == kSkinNoColor)
        return "none";
    const auto value = static_cast<std::uint32_t>(color);
    if (value & 0x80000000u)
        return "system " + std::to_string(value & 0xFFFFFFu);
    return std::to_string(value & 0xFF) + " " + std::to_string((value >> 8) & 0xFF) + " " +
           std::to_string((value >> 16) & 0xFF);
}

void WriteSkinElements(TJsonWriter& json, const TSkinInfoElements& e)
{
    json.BeginObject("elements");
    json.String("skinName", e.SkinName);
    WriteColours(json, e);
    WriteRecord(json, "borderLeft", &e.BorderLeft);
    WriteRecord(json, "borderRight", &e.BorderRight);
    WriteRecord(json, "borderTop", &e.BorderTop);
    WriteRecord(json, "borderBottom", &e.BorderBottom);
    WriteRecord(json, "title", &e.Title);
    WriteRecord(json, "buttons", &e.Buttons);
    json.BeginArray("sysButtons");
    for (const auto& button : e.SysButtons)
        WriteRecord(json, nullptr, button.get());
    json.EndArray();

    const struct {
        const char* Key;
        const TObject* Record;
    } objects[] = {
        {"sunkEdge", e.SunkEdge.get()},
        {"extraImages", e.ExtraImages.get()},
        {"groupBoxEdge", e.GroupBoxEdge.get()},
        {"toolbars", e.Toolbars.get()},
        {"statusBarEdges", e.StatusBarEdges.get()},
        {"headerbar", e.Headerbar.get()},
        {"menuBar", e.MenuBar.get()},
        {"menuItem", e.MenuItem.get()},
        {"menuBackground", e.MenuBackground.get()},
        {"scrollbar", e.Scrollbar.get()},
        {"horzScroll", e.HorzScroll.get()},
        {"vertScroll", e.VertScroll.get()},
        {"horzScrollThumb", e.HorzScrollThumb.get()},
        {"vertScrollThumb", e.VertScrollThumb.get()},
        {"trackbarThumbHorz", e.TrackbarThumbHorz.get()},
        {"trackbarThumbVert", e.TrackbarThumbVert.get()},
        {"trackbarThumbLeft", e.TrackbarThumbLeft.get()},
        {"trackbarThumbRight", e.TrackbarThumbRight.get()},
        {"trackbarThumbUp", e.TrackbarThumbUp.get()},
        {"trackbarThumbDown", e.TrackbarThumbDown.get()},
    };
    for (const auto& o : objects)
        WriteRecord(json, o.Key, o.Record);
    const struct {
        const char* Key;
        const TBorder* Record;
    } borders[] = {
        {"tabs", e.Tabs.get()},
        {"progress", e.Progress.get()},
        {"upDownHorz", e.UpDownHorz.get()},
        {"upDownVert", e.UpDownVert.get()},
        {"comboButton", e.ComboButton.get()},
    };
    for (const auto& b : borders)
        WriteRecord(json, b.Key, b.Record);
    WriteRecord(json, "groupBox", e.GroupBox.get());
    json.EndObject();
}
