#include "screens/diafeet_n_inches.h"

#include "core/navigation.h"
#include "core/numbertext.h"
#include "core/picturestore.h"
#include "core/placement.h"
#include "platform/controls.h"
#include "platform/events.h"
#include "platform/numtext.h"
#include "platform/program.h"
#include "screens/screenparts.h"

#include <QAction>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <cfloat>
#include <cmath>
#include <cstdint>

using platform::singleToText;
using platform::vbFont;
using screenparts::indexed;

namespace {

constexpr unsigned BackColor = 0x00C0E0FF;
// Centred, 300 twips above the middle of the screen, as every screen.
constexpr int TopOffset = 300;
const QString FeetInches = QStringLiteral("FeetInches");

struct Unit {
    const char* button;
    const char* caption;
    const char* name; // the unit name it hands on
    double factor;    // inches per unit
    int top;
};
// Metric sizes are 10^k / 0.0254 inches, as exact doubles.
const Unit Units[6] = {
    {"btnInches", "inch", "inch", 1.0, 360},
    {"btnFeet", "foot", "foot", 12.0, 840},
    {"btnFtInches", "feet && inches", "FeetInches", 1.0, 1320},
    {"btnMillimeters", "millimeter", "millimeter", 0.03937007874015748, 1800},
    {"btnCentimeters", "centimeter", "centimeter", 0.3937007874015748, 2280},
    {"btnMeters", "meter", "meter", 39.37007874015748, 2760},
};

// A step whose value leaves the single-precision range, or a whole number
// beyond 32 bits: no result rather than a wrong one.
struct OutOfRange {};

// Each step keeps its result as a single.
float sng(double x)
{
    if (!std::isfinite(x) || std::fabs(x) > FLT_MAX)
        throw OutOfRange{};
    return float(x);
}

// The whole part, as the 32-bit number that mod 12 takes.
std::int32_t wholePart(float x)
{
    const double w = std::floor(double(x));
    if (w < double(INT32_MIN) || w > double(INT32_MAX))
        throw OutOfRange{};
    return std::int32_t(w);
}

// Reads a box as a single; false when it holds no number within range.
bool read(const QLineEdit* box, float& into)
{
    try {
        into = StrToSng(box->text());
        return true;
    } catch (const platform::NumberError&) {
        return false;
    }
}

} // namespace

diaFeet_n_Inches::diaFeet_n_Inches() : Form(QStringLiteral("diaFeet_n_Inches")) {}

void diaFeet_n_Inches::build(QMainWindow* window)
{
    using screenparts::label;
    using screenparts::textBox;
    window->setWindowTitle(QStringLiteral("Feet & Inches"));
    window->setFont(vbFont(8.25, true));
    window->setWindowIcon(platform::the<btn>().icon(QStringLiteral("imgFeetInchUp")));
    auto* client = new QWidget(window);
    client->setObjectName(QStringLiteral("client"));
    platform::setBackColor(client, BackColor);
    window->setCentralWidget(client);

    Label1 = label(client, QStringLiteral("Label1"), QStringLiteral("Enter your number here:"), vbFont(9.75),
                   BackColor, {120, 255, 2115, 240});
    Label1->adjustSize();
    Label2 = label(client, QStringLiteral("Label2"), QStringLiteral(" ="), vbFont(12), BackColor, {1920, 540, 195, 300});
    Label2->adjustSize();
    Text1 = textBox(client, QStringLiteral("Text1"), {2400, 240, 1260, 300});
    Text3 = textBox(client, QStringLiteral("Text3"), {2400, 600, 1260, 300});

    const Twips lbl3At[2] = {{3720, 285, 645, 225}, {3720, 645, 315, 240}};
    const Twips boxAt[2] = {{4320, 240, 1260, 300}, {4320, 600, 1275, 315}};
    const Twips inchesAt[2] = {{5700, 285, 615, 255}, {5700, 645, 585, 240}};
    const Twips frameAt[2] = {{480, 1245, 3135, 3405}, {4200, 1245, 3135, 3450}};
    using Handler = void (diaFeet_n_Inches::*)(int);
    const Handler handlers[6] = {&diaFeet_n_Inches::btnInches_Click, &diaFeet_n_Inches::btnFeet_Click,
                                 &diaFeet_n_Inches::btnFtInches_Click, &diaFeet_n_Inches::btnMillimeters_Click,
                                 &diaFeet_n_Inches::btnCentimeters_Click, &diaFeet_n_Inches::btnMeters_Click};
    for (int i = 0; i < 2; ++i) {
        lbl3[i] = label(client, indexed(QStringLiteral("lbl3"), i), QString(), vbFont(9.75),
                        platform::vbWindowBackground, lbl3At[i]);
        txtFtIn[i] = textBox(client, indexed(QStringLiteral("txtFtIn"), i), boxAt[i]);
        lbl3FtIn[i] = label(client, indexed(QStringLiteral("lbl3FtIn"), i), QStringLiteral("inches"), vbFont(9.75),
                            platform::vbWindowBackground, inchesAt[i]);
        lbl3FtIn[i]->adjustSize();
        lbl3FtIn[i]->hide();
        Frame1[i] = screenparts::frame(client, QStringLiteral("Frame1"), i, BackColor, frameAt[i]);
        for (int u = 0; u < 6; ++u) {
            QPushButton* b = screenparts::button(Frame1[i], indexed(QLatin1String(Units[u].button), i),
                                                 QLatin1String(Units[u].caption), 0x00FFFFFF,
                                                 {240, Units[u].top, 2655, 375});
            const Handler h = handlers[u];
            QObject::connect(b, &QPushButton::clicked, b, [this, h, i] { (this->*h)(i); });
            unitButtons[i][u] = b;
        }
    }
    // Only a conversion writes the result.
    Text3->setReadOnly(true);
    txtFtIn[1]->setReadOnly(true);

    // Exponential is there to be chosen but changes nothing here.
    const screenparts::Menus m = screenparts::buildMenus(window);
    QObject::connect(m.mainMenu, &QAction::triggered, window, [this] { toMain_Click(); });
    QObject::connect(m.exit, &QAction::triggered, window, [this] { mnuExit_Click(); });
    QObject::connect(m.copy, &QAction::triggered, window, [this] { mnuCopy_Click(); });
    QObject::connect(m.paste, &QAction::triggered, window, [this] { mnuPaste_Click(); });
    QObject::connect(m.about, &QAction::triggered, window, [this] { AboutOrvalis_Click(); });
    for (QLineEdit* box : {Text1.data(), txtFtIn[0].data(), Text3.data(), txtFtIn[1].data()})
        platform::passShortcutsToMenu(box, m.keys());

    QList<QWidget*> order{Text1, txtFtIn[0]};
    for (int i = 0; i < 2; ++i)
        for (int u = 0; u < 6; ++u)
            order << unitButtons[i][u];
    order << Text3 << txtFtIn[1];
    screenparts::setTabOrder(order);
    Text1->setFocus();
}

void diaFeet_n_Inches::Form_Load()
{
    placeForm(*this, 8200, 6900, TopOffset);
    Text1->clear();
    Text3->clear();
    txtFtIn[0]->clear();
    txtFtIn[1]->clear();
    txtFtIn[1]->show();
    lbl3[0]->clear();
    lbl3[1]->clear();
    SideFactor[0] = 0;
    SideFactor[1] = 0;
}

void diaFeet_n_Inches::btnInches_Click(int Index)
{
    SetFeetInchesUnit(Index, Units[0].factor, QLatin1String(Units[0].name));
}

void diaFeet_n_Inches::btnFeet_Click(int Index)
{
    SetFeetInchesUnit(Index, Units[1].factor, QLatin1String(Units[1].name));
}

void diaFeet_n_Inches::btnFtInches_Click(int Index)
{
    SetFeetInchesUnit(Index, Units[2].factor, QLatin1String(Units[2].name));
}

void diaFeet_n_Inches::btnMillimeters_Click(int Index)
{
    SetFeetInchesUnit(Index, Units[3].factor, QLatin1String(Units[3].name));
}

void diaFeet_n_Inches::btnCentimeters_Click(int Index)
{
    SetFeetInchesUnit(Index, Units[4].factor, QLatin1String(Units[4].name));
}

void diaFeet_n_Inches::btnMeters_Click(int Index)
{
    SetFeetInchesUnit(Index, Units[5].factor, QLatin1String(Units[5].name));
}

void diaFeet_n_Inches::SetFeetInchesUnit(int Index, double Factor, const QString& UnitCaption)
{
    // A box that cannot be read keeps the number of its last reading, and
    // that number is never converted as if it were the input.
    const bool numberRead = read(Text1, InputNumber);
    const bool inchesRead = read(txtFtIn[0], InputInches);
    SideFactor[Index] = float(Factor);
    setUpSide(Index, UnitCaption);
    if (SideFactor[1 - Index] == 0)
        return; // the other column has no unit yet
    try {
        if (!numberRead || (FeetInchesSide[0] && !inchesRead))
            throw OutOfRange{};
        convert(Index);
    } catch (const OutOfRange&) {
        Text3->clear();
        txtFtIn[1]->clear();
    }
}

void diaFeet_n_Inches::setUpSide(int Index, const QString& UnitCaption)
{
    const bool compound = UnitCaption == FeetInches;
    FeetInchesSide[Index] = compound;
    lbl3[Index]->setText(compound ? QStringLiteral("feet") : UnitCaption);
    lbl3[Index]->adjustSize();
    lbl3[Index]->show();
    lbl3FtIn[Index]->setVisible(compound);
    if (compound) {
        txtFtIn[Index]->show();
        return;
    }
    // The from side's inches count as none while a plain unit is chosen,
    // and show so when feet and inches come back.
    if (Index == 0)
        txtFtIn[0]->setText(QStringLiteral("0"));
    txtFtIn[Index]->hide();
}

void diaFeet_n_Inches::convert(int Index)
{
    const float n = InputNumber, i = InputInches, f0 = SideFactor[0], f1 = SideFactor[1];
    if (!FeetInchesSide[0] && !FeetInchesSide[1]) {
        Text3->setText(singleToText(sng(double(n) * f0 / f1)));
        return;
    }
    if (!FeetInchesSide[0]) { // into feet and inches
        const float t = sng(double(n) * f0);
        const std::int32_t whole = wholePart(t);
        const float frac = sng(double(t) - whole);
        const std::int32_t w = whole % 12;
        showSplit(feetOf(whole, w), sng(w + double(frac)));
        return;
    }
    if (!FeetInchesSide[1]) { // out of feet and inches
        const float t = sng(12.0 * n + i);
        Text3->setText(singleToText(sng(double(t) / f1)));
        return;
    }
    // Feet and inches on both sides: the from column moves only whole
    // dozens of inches into the feet, so a fractional feet value stays
    // fractional; the to column splits the whole length afresh.
    const float t = Index == 0 ? i : sng(12.0 * n + i);
    const std::int32_t whole = wholePart(t);
    const std::int32_t w = whole % 12;
    const float in = sng((w + double(t)) - whole);
    showSplit(Index == 0 ? sng(double(n) + feetOf(whole, w)) : feetOf(whole, w), in);
}

float diaFeet_n_Inches::feetOf(std::int32_t whole, std::int32_t w)
{
    // Counted from the whole inches, never from the difference of the
    // length and its rounded inches: that difference, a hair below a whole
    // number of feet, took a foot off (-1 mm read -1 ft and -0.04 in). The
    // inches keep their sign, so feet and inches add up to the length
    // whatever their signs (-11.5 in is -1 ft and 0.5 in).
    return sng((std::int64_t(whole) - w) / 12);
}

void diaFeet_n_Inches::showSplit(float feet, float inches)
{
    Text3->setText(singleToText(feet));
    txtFtIn[1]->setText(singleToText(inches));
}

void diaFeet_n_Inches::mnuCopy_Click()
{
    auto number = [](const QLineEdit* box) {
        float value = 0;
        return read(box, value) ? singleToText(value) : box->text();
    };
    if (SideFactor[1] != 0 && FeetInchesSide[1]) {
        // No result is no length: nothing to copy, as on every other screen.
        const bool none = Text3->text().isEmpty() && txtFtIn[1]->text().isEmpty();
        screenparts::copyText(none ? QString()
                                   : number(Text3) + QStringLiteral(" ft ") + number(txtFtIn[1]) + QStringLiteral(" in"));
    } else {
        screenparts::copyText(number(Text3));
    }
}

void diaFeet_n_Inches::mnuPaste_Click()
{
    screenparts::pasteInto(Text1);
}

void diaFeet_n_Inches::toMain_Click()
{
    screenparts::backToMain(*this);
}

void diaFeet_n_Inches::Form_QueryUnload(int& Cancel, int UnloadMode)
{
    (void)Cancel;
    screenparts::backToMainOnClose(*this, UnloadMode);
}

void diaFeet_n_Inches::mnuExit_Click()
{
    platform::endProgram();
}

void diaFeet_n_Inches::AboutOrvalis_Click()
{
    ShowAboutBox(nullptr); // modal, over no window of its own
}
