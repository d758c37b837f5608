#include "screens/template1.h"

#include "core/loaddata.h"
#include "core/numbertext.h"
#include "core/picturestore.h"
#include "platform/controls.h"
#include "platform/twips.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QPushButton>
#include <cmath>

using platform::NumberError;

namespace {

// Known by its name alone, in whatever category: a value x of it stands for
// 100 / x of the unit of factor 1.
const QString InverseUnitName = QStringLiteral("liter per 100 kilometer");

constexpr int Slots = 13;
constexpr int SlotStep = 315; // slot NN stands at top 315 x NN

struct CategoryLook {
    const char* name;
    const char* icon;
    unsigned color;
};

// Each category's window icon and the one colour of the form and both frames.
constexpr CategoryLook Looks[] = {
    {"Acceleration", "iconAccelleration", 0x00FFC0C0},
    {"Angles", "iconAngles", 0x00FFC0C0},
    {"Area", "iconArea", 0x00FFC0C0},
    {"Bits and Bytes", "iconBits", 0x00808000},
    {"Density", "iconDensity", 0x00FFC0C0},
    {"Fuel", "iconFuel", 0x00FFC0C0},
    {"Imperial", "iconImperial", 0x00FFC0C0},
    {"Light", "iconLight", 0x00C0FFFF},
    {"Viscosity", "iconViscosity", 0x00FFC0C0},
    {"Mass Flow Rate", "iconMassFlow", 0x00E0E0E0},
    {"Power", "iconPower", 0x00C0FFFF},
    {"Pressure", "iconPressure", 0x00FFC0C0},
    {"Time", "iconTime", 0x00FFC0C0},
    {"Work", "iconWork", 0x00FFC0C0},
    {"Volumetric Flow Rate", "iconVolumeFlow", 0x00FF8080},
};

constexpr unsigned NoteColor = 0x00C0FFFF;

ScreenDesign template1Design()
{
    ScreenDesign d;
    d.formName = QStringLiteral("template1");
    d.caption = QStringLiteral("template #1");
    d.iconName = QStringLiteral("iconLength");
    d.backColor = 0x000080FF;
    d.topOffset = 200;
    d.frame[0] = {600, 1080, 3390, 4560};
    d.frame[1] = {4200, 1080, 3210, 4560};
    d.frameColor[0] = 0x00FFC0C0;
    d.frameColor[1] = 0x00C0FFFF;
    d.label1 = {960, 180, 2115, 240};
    d.text1 = {3240, 180, 1500, 300};
    d.label2 = {2880, 600, 270, 300};
    d.text4 = {3240, 600, 1515, 315};
    d.text5 = {240, 540, 570, 300};
    d.lbl3[0] = {4875, 240, 2685, 225};
    d.lbl3[1] = {4860, 660, 2685, 225};
    d.labelColor = NoteColor;
    d.lbl3Color = platform::vbWindowBackground;
    d.text5Text = QString();
    d.unitLeft = 300;
    d.unitWidth = 2655;
    d.buttonHeight = 280;
    d.unitColor = platform::vbWindowBackground;
    // The buttons' units come from the unit table at each click, not from here.
    for (int NN = 1; NN <= Slots; ++NN) {
        const QString name = QStringLiteral("btn%1").arg(NN, 2, 10, QLatin1Char('0'));
        d.buttons.push_back({name, name, QString(), 0.0, SlotStep * NN});
    }
    d.hasAbout = true;
    return d;
}

} // namespace

template1::template1() : ConversionScreen(template1Design()) {}

QPushButton* template1::slotButton(int slot, int Index) const
{
    return buttons[Index].at(std::size_t(slot - 1));
}

void template1::buildOwnControls(QWidget* client)
{
    auto makeNote = [client](const char* name, int top) {
        auto* note = new QLabel(client);
        note->setObjectName(QLatin1String(name));
        note->setFont(platform::vbFont(8.25));
        platform::setBackColor(note, NoteColor);
        platform::placeTwips(note, 300, top, 0, 0);
        note->adjustSize();
        return note;
    };
    note1 = makeNote("note1", 5715);
    note2 = makeNote("note2", 5900);
}

QList<QWidget*> template1::tabOrder() const
{
    // The last pair stands apart: it comes after every other control.
    QList<QWidget*> order = ConversionScreen::tabOrder();
    for (int i = 0; i < 2; ++i) {
        QWidget* last = slotButton(Slots, i);
        order.removeOne(last);
        order << last;
    }
    return order;
}

void template1::ownLoadSteps()
{
    LOADDATA::LoadCategory(this);
    applyCategoryLook();
}

void template1::applyCategoryLook()
{
    for (const CategoryLook& look : Looks) {
        if (LOADDATA::CategoryName != QLatin1String(look.name))
            continue;
        btn& store = platform::the<btn>();
        if (!store.IsLoaded())
            store.Load();
        window()->setWindowIcon(store.icon(QLatin1String(look.icon)));
        platform::setBackColor(client, look.color);
        platform::setBackColor(Frame1[0], look.color);
        platform::setBackColor(Frame1[1], look.color);
        return;
    }
    // Any other name keeps the designed icon and colours.
}

void template1::setCaption(const QString& caption)
{
    window()->setWindowTitle(caption);
}

void template1::setUnitCaption(int slot, const QString& caption)
{
    for (int i = 0; i < 2; ++i)
        slotButton(slot, i)->setText(caption);
}

void template1::setSlotVisible(int slot, bool visible)
{
    // Only the button itself: the buttons below keep their places.
    for (int i = 0; i < 2; ++i)
        slotButton(slot, i)->setVisible(visible);
}

void template1::setNotes(const QString& text1, const QString& text2)
{
    note1->setText(text1);
    note1->adjustSize();
    note2->setText(text2);
    note2->adjustSize();
}

void template1::UnitButton_Click(int button, int Index)
{
    btnNN_Click(button + 1, Index);
}

void template1::btnNN_Click(int NN, int Index)
{
    SetUnitAndConvert(Index, LOADDATA::UnitFactor(NN), slotButton(NN, 0)->text());
}

void template1::SetUnitAndConvert(int Index, double Factor, const QString& UnitCaption)
{
    // An input that cannot be read keeps its text and still lets the unit be
    // chosen, but yields no result: 0 is never shown as if it were one.
    bool readable = true;
    double x = 0;
    try {
        QString input = Text1->text();
        Text1->setText(EvalFraction(input));
        x = platform::textToDouble(Text1->text());
    } catch (const NumberError&) {
        Text4->setText(QString());
        readable = false;
    }

    // The recalculation call sets only element 2, so the sides keep theirs.
    InverseUnit[Index] = UnitCaption == InverseUnitName;

    if (!RecalcOnly) {
        SideFactor[Index] = Factor;
        lbl3[Index]->setText(UnitCaption);
    }

    if (!readable || Text1->text().isEmpty() || SideFactor[0] == 0 || SideFactor[1] == 0)
        return;
    // A zero on an inverse side has no counterpart (100 / 0): no result then,
    // and the last raw result stays.
    if (InverseUnit[0])
        x = 100.0 / x;
    double r = x * SideFactor[0] / SideFactor[1];
    if (InverseUnit[1] && std::isfinite(r))
        r = 100.0 / r;
    if (!std::isfinite(r)) {
        Text4->setText(QString());
        return;
    }
    showResult(r);
}
