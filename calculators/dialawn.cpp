#include "calculators/dialawn.h"

#include "core/navigation.h"
#include "core/picturestore.h"
#include "core/placement.h"
#include "platform/controls.h"
#include "platform/events.h"
#include "platform/numtext.h"
#include "platform/program.h"
#include "platform/twips.h"

#include <QAction>
#include <QComboBox>
#include <QFocusEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPainter>
#include <cmath>

using platform::placeTwips;
using platform::twipsToPixels;
using platform::vbFont;

namespace {
constexpr unsigned BackColor = 0x00C0FFC0;
constexpr unsigned White = 0x00FFFFFF;
const QString Mask = QStringLiteral("###.##");

// Each entry of the ratio list and the parts of fuel per part of oil it
// stands for, in the list's order.
struct Ratio {
    const char* text;
    std::int16_t parts;
};
constexpr Ratio Ratios[] = {{"11:1", 11}, {"16:1", 16}, {"24:1", 24}, {"32:1", 32},
                            {"40:1", 40}, {"50:1", 50}, {"100:1", 100}};

// The window's client area, with the decorative lines drawn on it.
class LinedArea : public QWidget {
public:
    using QWidget::QWidget;

protected:
    void paintEvent(QPaintEvent* event) override
    {
        QWidget::paintEvent(event);
        QPainter painter(this);
        painter.setPen(QPen(palette().color(QPalette::WindowText), 1));
        for (const diaLawn::Line& l : diaLawn::Lines)
            painter.drawLine(twipsToPixels(l.x1), twipsToPixels(l.y1), twipsToPixels(l.x2), twipsToPixels(l.y2));
    }
};

QLabel* label(QWidget* parent, const char* name, const QString& caption, int left, int top, int width, int height)
{
    auto* l = new QLabel(caption, parent);
    l->setObjectName(QLatin1String(name));
    l->setTextFormat(Qt::PlainText);
    l->setWordWrap(true);
    l->setFont(vbFont(9.75));
    placeTwips(l, left, top, width, height);
    return l;
}

// A label that shows a number on white, in the window's bold face.
QLabel* number(QWidget* parent, const char* name, int left, int top, int width = 0, int height = 0)
{
    auto* l = new QLabel(parent);
    l->setObjectName(QLatin1String(name));
    l->setTextFormat(Qt::PlainText);
    platform::setBackColor(l, White);
    placeTwips(l, left, top, width, height);
    return l;
}
} // namespace

const diaLawn::Line diaLawn::Lines[12] = {
    // One under each number.
    {"Line1", 1650, 2820, 2385, 2820},
    {"Line2", 5145, 2835, 5880, 2835},
    {"Line4", 1620, 3210, 2355, 3210},
    {"Line10", 1620, 3570, 2355, 3570},
    {"Line11", 1620, 4035, 2355, 4035},
    {"Line3", 1620, 4395, 2355, 4395},
    // The bracket that joins the five oil rows to the gasoline row.
    {"Line5", 4200, 2415, 4200, 4407},
    {"Line6", 3885, 2415, 4200, 2415},
    {"Line7", 3885, 3885, 4200, 3885},
    {"Line12", 3900, 4410, 4200, 4410},
    {"Line8", 4725, 2730, 4200, 2415},
    {"Line9", 4215, 4398, 4719, 2730},
};

diaLawn::diaLawn() : Form(QStringLiteral("diaLawn")) {}

void diaLawn::build(QMainWindow* window)
{
    window->setWindowTitle(QStringLiteral("Oil / Gas Mixtures for 2 Cycle Motors"));
    window->setWindowIcon(platform::the<btn>().icon(QStringLiteral("imgLawnUp")));

    // The form's face; the menu bar keeps the desktop's menu font.
    auto* client = new LinedArea(window);
    client->setObjectName(QStringLiteral("client"));
    client->setFont(vbFont(8.25, true));
    platform::setBackColor(client, BackColor);
    window->setCentralWidget(client);

    label(client, "Label7",
          QStringLiteral("If your lawn mower, snow blower or other motor requires Oil to be mixed with the Gasoline, "
                         "this tool will assist you in determining the proper amounts of each:"),
          1260, 405, 5580, 765);
    label(client, "Label1", QStringLiteral("Enter the number of gallons of fuel that you want to prepare:"), 1275,
          1290, 2910, 435);
    Text1 = new QLineEdit(client);
    Text1->setObjectName(QStringLiteral("Text1"));
    placeTwips(Text1, 4320, 1365, 855, 360);
    label(client, "Label2", QStringLiteral("Select desired Fuel to Oil ratio:"), 1245, 1965, 2715, 240);
    cboGasOilRatio = new QComboBox(client);
    cboGasOilRatio->setObjectName(QStringLiteral("cboGasOilRatio"));
    cboGasOilRatio->setEditable(true);
    // Typed text never becomes an entry, and is never completed into one.
    cboGasOilRatio->setInsertPolicy(QComboBox::NoInsert);
    cboGasOilRatio->setCompleter(nullptr);
    placeTwips(cboGasOilRatio, 4305, 1845, 855, 360);
    for (QWidget* w : {static_cast<QWidget*>(Text1), static_cast<QWidget*>(cboGasOilRatio)}) {
        QPalette pal = w->palette();
        pal.setColor(QPalette::Base, platform::vbColor(White));
        w->setPalette(pal);
    }

    label(client, "Label4", QStringLiteral("mix"), 1065, 2580, 375, 255);
    lblOZ = number(client, "lblOZ", 1950, 2610);
    label(client, "Label6", QStringLiteral("fluid ounces of oil"), 2490, 2580, 1695, 255);
    label(client, "Label8", QStringLiteral("with"), 4830, 2625, 435, 225);
    lblGallons = number(client, "lblGallons", 5265, 2565, 525, 225);
    label(client, "Label5", QStringLiteral("gallons gasoline"), 5880, 2625, 1485, 240);
    label(client, "Label10", QStringLiteral("or mix"), 930, 2970, 615, 255);
    lblTBSP = number(client, "lblTBSP", 1950, 2985);
    label(client, "Label11", QStringLiteral("tablespoons of oil"), 2460, 2970, 1695, 255);
    label(client, "Label12", QStringLiteral("or mix"), 930, 3330, 615, 255);
    lblTSP = number(client, "lblTSP", 1950, 3345);
    label(client, "Label13", QStringLiteral("teaspoons of oil"), 2460, 3330, 1695, 255);
    label(client, "Label14", QStringLiteral("or mix"), 930, 3795, 615, 255);
    lblCC = number(client, "lblCC", 1950, 3825);
    label(client, "Label15", QStringLiteral("cc of oil"), 2460, 3795, 1695, 255);
    label(client, "Label3", QStringLiteral("or mix"), 930, 4155, 615, 255);
    lblML = number(client, "lblML", 1935, 4185);
    label(client, "Label9", QStringLiteral("ml of oil"), 2460, 4155, 855, 255);

    QMenu* file = window->menuBar()->addMenu(QStringLiteral("&File"));
    file->setObjectName(QStringLiteral("mnuFile"));
    QAction* toMain = file->addAction(QStringLiteral("&Main menu"));
    toMain->setObjectName(QStringLiteral("mnuMainmenu"));
    toMain->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_M));
    QAction* exit = file->addAction(QStringLiteral("E&xit"));
    exit->setObjectName(QStringLiteral("mnuExit"));
    QObject::connect(toMain, &QAction::triggered, window, [this] { mnuMainmenu_Click(); });
    QObject::connect(exit, &QAction::triggered, window, [this] { mnuExit_Click(); });

    QObject::connect(Text1, &QLineEdit::textChanged, window, [this] { Text1_Change(); });
    QObject::connect(cboGasOilRatio, &QComboBox::activated, window, [this] { cboGasOilRatio_Click(); });
    platform::onEvent(cboGasOilRatio, QEvent::FocusIn, [this](QEvent* e) {
        // Only a move of the focus counts: not the return from its own
        // drop-down nor from another program.
        const auto reason = static_cast<QFocusEvent*>(e)->reason();
        if (reason != Qt::PopupFocusReason && reason != Qt::ActiveWindowFocusReason)
            cboGasOilRatio_GotFocus();
        return false;
    });

    QWidget::setTabOrder(Text1, cboGasOilRatio);
    Text1->setFocus();
}

void diaLawn::Form_Load()
{
    placeForm(*this, 8200, 6900, 300);
    // The box opens empty, so an earlier opening's quantity counts no more.
    gallons.clear();
    for (const Ratio& r : Ratios)
        cboGasOilRatio->addItem(QLatin1String(r.text));
    // Choosing the first entry raises Click, as the platform did.
    cboGasOilRatio->setCurrentIndex(0);
    cboGasOilRatio_Click();
}

void diaLawn::setRatioFromList()
{
    const QString shown = cboGasOilRatio->currentText();
    for (const Ratio& r : Ratios) {
        if (shown == QLatin1String(r.text)) {
            ratio = r.parts;
            return;
        }
    }
    // Any other text keeps the ratio it had.
}

void diaLawn::cboGasOilRatio_Click()
{
    setRatioFromList();
    CalculateMix();
}

void diaLawn::cboGasOilRatio_GotFocus()
{
    setRatioFromList();
    CalculateMix();
}

void diaLawn::Text1_Change()
{
    gallons = Text1->text();
    CalculateMix();
}

void diaLawn::CalculateMix()
{
    QLabel* amounts[] = {lblOZ, lblML, lblTBSP, lblTSP, lblCC};
    // No quantity counts as none; a quantity that cannot be read, or amounts
    // too large to write, leave the amounts blank rather than show those of
    // an earlier quantity.
    bool known = true;
    double quantity = 0;
    if (!gallons.isEmpty()) {
        try {
            quantity = platform::textToDouble(gallons);
        } catch (const platform::NumberError&) {
            known = false;
        }
    }
    if (known) {
        ounces = (quantity / ratio) * 128;
        millilitres = ounces * 29.573529;
        cubicCentimetres = ounces * 29.573529;
        tablespoons = ounces * 2;
        teaspoons = ounces * 6;
        for (double v : {ounces, millilitres, cubicCentimetres, tablespoons, teaspoons})
            known = known && std::isfinite(v);
    }
    const double values[] = {ounces, millilitres, tablespoons, teaspoons, cubicCentimetres};
    for (int k = 0; k < 5; ++k) {
        amounts[k]->setText(known ? platform::formatNumber(values[k], Mask) : QString());
        amounts[k]->adjustSize(); // sized to its text
    }
    lblGallons->setText(Text1->text());
}

void diaLawn::mnuMainmenu_Click()
{
    Unload();
    ShowMainWindow();
}

void diaLawn::Form_QueryUnload(int& Cancel, int UnloadMode)
{
    (void)Cancel;
    if (UnloadMode == vbFormControlMenu) {
        Unload();
        ShowMainWindow();
    }
}

void diaLawn::mnuExit_Click()
{
    platform::endProgram();
}
