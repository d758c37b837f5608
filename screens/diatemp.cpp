#include "screens/diatemp.h"

#include "core/picturestore.h"
#include "core/placement.h"
#include "platform/controls.h"
#include "platform/events.h"
#include "platform/modal.h"
#include "platform/numtext.h"
#include "platform/program.h"
#include "screens/screenparts.h"

#include <QAction>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <cmath>

using platform::vbFont;
using screenparts::indexed;

namespace {

constexpr unsigned BackColor = 0x008080FF;
// Centred, 300 twips above the middle of the screen, as every screen.
constexpr int TopOffset = 300;

struct Scale {
    const char* button;
    const char* caption;
    const char* letter;
    double lowest; // absolute zero on this scale; colder input is refused
};
const Scale Scales[4] = {
    {"btnF", "&Fahrenheit", "F", -459.67},
    {"btnC", "&Celsius", "C", -273.15},
    {"btnK", "&Kelvin", "K", 0},
    {"btnR", "&Rankine", "R", 0},
};
// Button tops inside the "Convert from:" and the "Convert to:" frame.
const int ButtonTops[2][4] = {{285, 705, 1125, 1530}, {300, 735, 1215, 1665}};

// Each pair by its own formula, evaluated exactly in the order written, so
// that results agree to the last digit with the same steps done by hand.
double convertScale(const QString& from, const QString& to, double d)
{
    const QString pair = from + to;
    if (pair == QLatin1String("FC")) return ((d - 32) * 5) / 9;
    if (pair == QLatin1String("FK")) return ((d - 32) * 5) / 9 + 273.15;
    if (pair == QLatin1String("FR")) return d + 459.67;
    if (pair == QLatin1String("CF")) return (d * 9) / 5 + 32;
    if (pair == QLatin1String("CK")) return d + 273.15;
    if (pair == QLatin1String("CR")) return ((d * 9) / 5 + 459.67) + 32;
    if (pair == QLatin1String("KF")) return ((d - 273.15) * 9) / 5 + 32;
    if (pair == QLatin1String("KC")) return d - 273.15;
    if (pair == QLatin1String("KR")) return (((d - 273.15) * 9) / 5 + 459.67) + 32;
    if (pair == QLatin1String("RF")) return d - 459.67;
    if (pair == QLatin1String("RC")) return ((d - 459.67 - 32) * 5) / 9;
    return ((d - 459.67 - 32) * 5) / 9 + 273.15; // RK
}

double lowestOf(const QString& letter)
{
    for (const Scale& s : Scales)
        if (letter == QLatin1String(s.letter))
            return s.lowest;
    return 0;
}

} // namespace

diaTemp::diaTemp() : Form(QStringLiteral("diaTemp")) {}

void diaTemp::build(QMainWindow* window)
{
    using screenparts::label;
    window->setWindowTitle(QStringLiteral("Temperatures"));
    window->setFont(vbFont(8.25, true));
    window->setWindowIcon(platform::the<btn>().icon(QStringLiteral("imgTempUp")));
    auto* client = new QWidget(window);
    client->setObjectName(QStringLiteral("client"));
    platform::setBackColor(client, BackColor);
    window->setCentralWidget(client);

    Label1 = label(client, QStringLiteral("Label1"), QStringLiteral("Enter your number here:"), vbFont(9.75),
                   BackColor, {1020, 165, 2115, 240});
    Label1->adjustSize();
    txtDegreesIn = screenparts::textBox(client, QStringLiteral("txtDegreesIn"), {3315, 150, 1035, 360});
    range = label(client, QStringLiteral("range"), QStringLiteral("Input Out of Range !"), vbFont(8.25, true),
                  BackColor, {5280, 180, 1770, 195});
    range->hide();
    Label4 = label(client, QStringLiteral("Label4"), QStringLiteral("="), vbFont(12), BackColor, {2790, 690, 420, 255});
    txtDegreesOut = screenparts::textBox(client, QStringLiteral("txtDegreesOut"), {3315, 690, 1050, 360});
    txtDegreesOut->setReadOnly(true); // only a conversion writes the result

    const Twips degAt[2] = {{4425, 105, 150, 255}, {4440, 690, 150, 255}};
    const Twips tagAt[2] = {{4650, 135, 300, 285}, {4620, 690, 345, 285}};
    const Twips frameAt[2] = {{870, 1200, 2625, 2295}, {4635, 1185, 2700, 2310}};
    for (int i = 0; i < 2; ++i) {
        lblDeg[i] = label(client, indexed(QStringLiteral("lblDeg"), i), QString(QChar(0xB0)), vbFont(12, true),
                          BackColor, degAt[i]);
        lbltag[i] = screenparts::textBox(client, indexed(QStringLiteral("lbltag"), i), tagAt[i]);
        lbltag[i]->setReadOnly(true); // shows the scale chosen
        platform::setBackColor(lbltag[i], BackColor);
        QPalette pal = lbltag[i]->palette();
        pal.setColor(QPalette::Base, platform::vbColor(BackColor));
        lbltag[i]->setPalette(pal);
        Frame3[i] = screenparts::frame(client, QStringLiteral("Frame3"), i, BackColor, frameAt[i]);
        for (int s = 0; s < 4; ++s) {
            QPushButton* b = screenparts::button(Frame3[i], indexed(QLatin1String(Scales[s].button), i),
                                                 QLatin1String(Scales[s].caption), platform::vbButtonFace,
                                                 {165, ButtonTops[i][s], 2300, 360});
            QObject::connect(b, &QPushButton::clicked, b, [this, s, i] {
                switch (s) {
                case 0: btnF_Click(i); break;
                case 1: btnC_Click(i); break;
                case 2: btnK_Click(i); break;
                default: btnR_Click(i); break;
                }
            });
            scaleButtons[i][s] = b;
        }
    }

    screenparts::MenuDesign design;
    design.mainMenuName = QStringLiteral("mnuMainmenu");
    design.exponential = false;
    design.about = false;
    const screenparts::Menus m = screenparts::buildMenus(window, design);
    QAction* notes = window->menuBar()->addAction(QStringLiteral("&Notes"));
    notes->setObjectName(QStringLiteral("mnuNotes"));
    QObject::connect(m.mainMenu, &QAction::triggered, window, [this] { mnuMainmenu_Click(); });
    QObject::connect(m.exit, &QAction::triggered, window, [this] { mnuExit_Click(); });
    QObject::connect(m.copy, &QAction::triggered, window, [this] { mnuCopy_Click(); });
    QObject::connect(m.paste, &QAction::triggered, window, [this] { mnuPaste_Click(); });
    QObject::connect(notes, &QAction::triggered, window, [this] { mnuNotes_Click(); });
    for (QLineEdit* box : {txtDegreesIn.data(), txtDegreesOut.data(), lbltag[0].data(), lbltag[1].data()})
        platform::passShortcutsToMenu(box, m.keys());

    QList<QWidget*> order{txtDegreesIn};
    for (int i = 0; i < 2; ++i)
        for (int s = 0; s < 4; ++s)
            order << scaleButtons[i][s];
    order << txtDegreesOut << lbltag[0] << lbltag[1];
    screenparts::setTabOrder(order);
    txtDegreesIn->setFocus();
}

void diaTemp::Form_Load()
{
    placeForm(*this, 8200, 6900, TopOffset);
    range->hide();
    // A new opening shows no scale, so none may be used until chosen again.
    ScaleCode[0].clear();
    ScaleCode[1].clear();
}

void diaTemp::chooseScale(int Index, const QString& letter)
{
    lbltag[Index]->setText(letter);
    ScaleCode[Index] = letter;
    lblDeg[Index]->setVisible(letter != QLatin1String("K")); // kelvins carry no degree sign
    ConvertTemperature();
}

void diaTemp::btnF_Click(int Index)
{
    chooseScale(Index, QStringLiteral("F"));
}

void diaTemp::btnC_Click(int Index)
{
    chooseScale(Index, QStringLiteral("C"));
}

void diaTemp::btnK_Click(int Index)
{
    chooseScale(Index, QStringLiteral("K"));
}

void diaTemp::btnR_Click(int Index)
{
    chooseScale(Index, QStringLiteral("R"));
}

void diaTemp::ConvertTemperature()
{
    range->hide();
    Degrees = txtDegreesIn->text();
    const QString& from = ScaleCode[0];
    const QString& to = ScaleCode[1];
    if (from.isEmpty())
        return;
    // Input that is not a number takes the previous result away, so it never
    // stands beside an input it does not belong to. Below the scale's lowest
    // value the previous result stays, beside the warning that says why
    // nothing was converted.
    double d = 0;
    try {
        d = platform::textToDouble(Degrees);
    } catch (const platform::NumberError&) {
        txtDegreesOut->clear();
        return;
    }
    if (d < lowestOf(from)) {
        range->show();
        return;
    }
    if (to.isEmpty())
        return;
    if (to == from) {
        txtDegreesOut->setText(txtDegreesIn->text()); // as typed
        return;
    }
    const double r = convertScale(from, to, d);
    txtDegreesOut->setText(std::isfinite(r) ? platform::doubleToText(r) : QString());
}

void diaTemp::mnuNotes_Click()
{
    const QString equations = QStringLiteral("Deg. Celsius(C) = 5/9(F - 32)\n"
                                             "Deg. Fahrenheit(F) = 9/5C + 32  \n"
                                             "Kelvin(K) = Deg. Celsius + 273.15\n"
                                             "Deg. Rankine (R) = Deg. Fahrenheit + 459.67");
    platform::MsgBox(window(), equations, platform::vbOKOnly, QStringLiteral("Reference Equations"));
}

void diaTemp::mnuCopy_Click()
{
    screenparts::copyText(txtDegreesOut->text());
}

void diaTemp::mnuPaste_Click()
{
    screenparts::pasteInto(txtDegreesIn);
}

void diaTemp::mnuMainmenu_Click()
{
    screenparts::backToMain(*this);
}

void diaTemp::Form_QueryUnload(int& Cancel, int UnloadMode)
{
    (void)Cancel;
    screenparts::backToMainOnClose(*this, UnloadMode);
}

void diaTemp::mnuExit_Click()
{
    platform::endProgram();
}
