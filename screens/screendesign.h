#pragma once
// What makes one conversion screen differ from another: its caption, look,
// geometry and units. The screens themselves are these data and the one
// conversion-screen class.
#include <QString>
#include <optional>
#include <vector>

struct Twips {
    int left = 0, top = 0, width = 0, height = 0;
};

// A unit button; the same button stands in both columns.
struct UnitButtonDesign {
    QString name;    // control name, such as "btnInches"
    QString caption; // what the button shows
    QString unit;    // the unit name shown when it is chosen
    double factor;   // size in the screen's base unit
    int top;         // inside its frame, in twips
    int topTo = -1;  // inside the "Convert to:" frame, where it differs
};

// One entry of a unit list: the text shown and the unit it stands for.
struct UnitEntry {
    QString text;
    QString unit;
    double factor;
};

// An entry whose unit name is the text it shows.
inline UnitEntry sameUnit(const char* name, double factor)
{
    return UnitEntry{QLatin1String(name), QLatin1String(name), factor};
}

struct UnitListDesign {
    QString name;   // control name, such as "cboMetrics"
    QString header; // shown at position 0 and chosen at load; no unit
    std::vector<UnitEntry> entries;
    int top;
    bool applyOnFocus = true; // focusing the list applies the unit it shows
    bool sorted = false;      // entries shown in alphabetical order
    int topTo = -1;           // inside the "Convert to:" frame, where it differs
    bool headerAfterEntries = false; // filled entries first, then the header put at 0
    // The user may type into its text field; typing never chooses a unit,
    // only a pick from the drop-down does.
    bool editable = false;
};

struct ScreenDesign {
    QString formName;
    QString caption;
    QString iconName; // a picture of the picture store
    unsigned backColor = 0;
    int topOffset = 300; // of the placement rule

    QString frameName = QStringLiteral("Frame1");
    Twips frame[2];
    unsigned frameColor[2] = {0, 0};
    std::optional<unsigned> frameTextColor; // the captions' colour, where designed

    Twips label1, text1, label2, text4, text5, lbl3[2];
    unsigned labelColor = 0; // Label1 and Label2
    unsigned lbl3Color = 0;
    QString text5Text; // the raw-result box's designed text

    // Unit buttons and lists inside each frame.
    int unitLeft = 240;
    int unitWidth = 2600;
    int unitWidthTo = 0; // in the "Convert to:" frame, where it differs
    int buttonHeight = 280;
    int listHeight = 360;
    unsigned unitColor = 0;
    std::vector<UnitButtonDesign> buttons;
    std::vector<UnitListDesign> lists;
    std::vector<int> listFillOrder; // indices into lists; empty: as listed

    // The exponent form of the Exponential menu item (the convert routine
    // always uses "0.###### E+00").
    QString expItemMask = QStringLiteral("0.0##### E+00");
    bool hasAbout = true;
};
