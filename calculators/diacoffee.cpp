#include "calculators/diacoffee.h"

#include "core/navigation.h"
#include "core/picturestore.h"
#include "core/placement.h"
#include "platform/controls.h"
#include "platform/events.h"
#include "platform/keypress.h"
#include "platform/numtext.h"
#include "platform/program.h"
#include "platform/settings.h"
#include "platform/twips.h"

#include <QAction>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPushButton>
#include <QRadioButton>
#include <cmath>
#include <limits>
#include <memory>
#include <optional>
#include <utility>

using platform::NumberError;
using platform::placeTwips;
using platform::vbFont;

namespace {
constexpr unsigned BackColor = 0x0080C0FF;
constexpr unsigned BoxColor = 0x00C0E0FF;

const QString AppName = QStringLiteral("Orvalis");
const QString Section = QStringLiteral("Coffee");

// A text box of this window: its colour and bold face.
QLineEdit* textBox(QWidget* parent, const char* name, int left, int top, int width, int height)
{
    auto* box = new QLineEdit(parent);
    box->setObjectName(QLatin1String(name));
    box->setFont(vbFont(9.75, true));
    QPalette pal = box->palette();
    pal.setColor(QPalette::Base, platform::vbColor(BoxColor));
    box->setPalette(pal);
    placeTwips(box, left, top, width, height);
    return box;
}

// A label on the window's colour; autoSize labels take the size of their
// text, the others wrap inside their box.
QLabel* label(QWidget* parent, const char* name, const QString& caption, int left, int top, int width,
              int height, bool autoSize = true, double points = 9.75)
{
    auto* l = new QLabel(caption, parent);
    l->setObjectName(QLatin1String(name));
    l->setTextFormat(Qt::PlainText);
    l->setFont(vbFont(points));
    platform::setBackColor(l, BackColor);
    placeTwips(l, left, top, width, height);
    if (autoSize)
        l->adjustSize();
    else
        l->setWordWrap(true);
    return l;
}
} // namespace

diaCoffee::diaCoffee() : Form(QStringLiteral("diaCoffee")) {}

void diaCoffee::build(QMainWindow* window)
{
    window->setWindowTitle(QStringLiteral("Coffee"));
    window->setWindowIcon(platform::the<btn>().icon(QStringLiteral("imgCoffeeUp")));

    client = new QWidget(window);
    client->setObjectName(QStringLiteral("client"));
    platform::setBackColor(client, BackColor);
    window->setCentralWidget(client);

    label(client, "Label1",
          QStringLiteral("This tool will help you decide how much water and coffee to use to brew a full or partial "
                         "pot of coffee."),
          1080, 330, 5550, 570, false, 12);
    label(client, "Label2", QStringLiteral("How many cups of Coffee do you want to brew?"), 1080, 1515, 2310, 510,
          false);
    txtDesiredCups = textBox(client, "txtDesiredCups", 3540, 1755, 555, 300);

    Frame2 = new QGroupBox(QStringLiteral("Select maker type:"), client);
    Frame2->setObjectName(QStringLiteral("Frame2"));
    Frame2->setFont(vbFont(9.75));
    platform::setBackColor(Frame2, BackColor);
    placeTwips(Frame2, 4440, 1260, 2220, 1095);
    auto option = [this](const char* name, const QString& caption, int top, int width, int height) {
        auto* o = new QRadioButton(caption, Frame2);
        o->setObjectName(QLatin1String(name));
        o->setFont(vbFont(8.25));
        platform::setBackColor(o, BackColor);
        placeTwips(o, 135, top, width, height);
        return o;
    };
    opt5oz = option("opt5oz", QStringLiteral("Standard Drip"), 360, 1380, 192);
    opt4oz = option("opt4oz", QStringLiteral("Cone Type"), 675, 1452, 228);

    Frame1 = new QGroupBox(QStringLiteral("Select Desired Strength"), client);
    Frame1->setObjectName(QStringLiteral("Frame1"));
    Frame1->setFont(vbFont(9.75));
    platform::setBackColor(Frame1, BackColor);
    placeTwips(Frame1, 1065, 2475, 5595, 960);
    auto button = [this](const char* name, const QString& caption, int left) {
        QPushButton* b = platform::commandButton(Frame1, QLatin1String(name), caption, left, 405, 1200, 300);
        b->setFont(vbFont(9.75, true));
        platform::setBackColor(b, platform::vbWindowBackground);
        return b;
    };
    btnWeak = button("btnWeak", QStringLiteral("Weak"), 180);
    btnNormal = button("btnNormal", QStringLiteral("Normal"), 1485);
    btnStrong = button("btnStrong", QStringLiteral("Strong"), 2790);
    txtStrength = textBox(Frame1, "txtStrength", 4095, 405, 1095, 300);

    label(client, "Label6", QStringLiteral("Fill the reservoir to the"), 1425, 3915, 1935, 240);
    txtCupsWater = textBox(client, "txtCupsWater", 3480, 3840, 555, 360);
    label(client, "Label5", QStringLiteral("cup level"), 4170, 3915, 810, 240);
    label(client, "Label9", QStringLiteral("and add"), 2610, 4380, 750, 240);
    txtScoopsCoffee = textBox(client, "txtScoopsCoffee", 3480, 4350, 555, 360);
    label(client, "Label8", QStringLiteral("standard 2 Tbsp scoops of coffee"), 4170, 4380, 3000, 240);
    label(client, "Label3", QStringLiteral("or add"), 2775, 4845, 585, 240);
    txtSmallScoops = textBox(client, "txtSmallScoops", 3480, 4800, 555, 360);
    label(client, "Label4", QStringLiteral("small 1 Tbsp scoops of coffee"), 4170, 4830, 2685, 240);

    // The result boxes and the strength word are never edited: not by keys,
    // nor by Delete or pasting, which type no character.
    for (QLineEdit* shown : {txtStrength.data(), txtCupsWater.data(), txtScoopsCoffee.data(), txtSmallScoops.data()})
        shown->setReadOnly(true);

    QMenu* file = window->menuBar()->addMenu(QStringLiteral("&File"));
    file->setObjectName(QStringLiteral("mnuFile"));
    file->setSeparatorsCollapsible(false); // its leading separator is shown
    file->addSeparator()->setObjectName(QStringLiteral("mnuDash1"));
    QAction* toMain = file->addAction(QStringLiteral("&Main Menu"));
    toMain->setObjectName(QStringLiteral("toMain"));
    toMain->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_M));
    file->addSeparator()->setObjectName(QStringLiteral("mnuDash2"));
    QAction* exit = file->addAction(QStringLiteral("E&xit"));
    exit->setObjectName(QStringLiteral("mnuExit"));
    QObject::connect(toMain, &QAction::triggered, window, [this] { toMain_Click(); });
    QObject::connect(exit, &QAction::triggered, window, [this] { mnuExit_Click(); });

    QObject::connect(btnWeak, &QPushButton::clicked, window, [this] { btnWeak_Click(); });
    QObject::connect(btnNormal, &QPushButton::clicked, window, [this] { btnNormal_Click(); });
    QObject::connect(btnStrong, &QPushButton::clicked, window, [this] { btnStrong_Click(); });
    // An option's Click comes when it becomes selected, by the user or by code.
    QObject::connect(opt4oz, &QRadioButton::toggled, window, [this](bool on) { if (on) opt4oz_Click(); });
    QObject::connect(opt5oz, &QRadioButton::toggled, window, [this](bool on) { if (on) opt5oz_Click(); });
    QObject::connect(txtDesiredCups, &QLineEdit::textChanged, window, [this] { txtDesiredCups_Change(); });
    platform::onKeyPress(txtDesiredCups, [this](int& k) { txtDesiredCups_KeyPress(k); });
    platform::onKeyPress(txtCupsWater, [this](int& k) { txtCupsWater_KeyPress(k); });
    platform::onKeyPress(txtScoopsCoffee, [this](int& k) { txtScoopsCoffee_KeyPress(k); });
    platform::onKeyPress(txtStrength, [this](int& k) { txtStrength_KeyPress(k); });

    // A click on the window itself, pressed and released where no control
    // is, is the form's Click.
    auto onBackground = [this](QEvent* e) {
        auto* mouse = static_cast<QMouseEvent*>(e);
        return mouse->button() == Qt::LeftButton && client->rect().contains(mouse->position().toPoint())
               && !client->childAt(mouse->position().toPoint());
    };
    auto pressed = std::make_shared<bool>(false);
    platform::onEvent(client, QEvent::MouseButtonPress, [pressed, onBackground](QEvent* e) {
        *pressed = onBackground(e);
        return false;
    });
    platform::onEvent(client, QEvent::MouseButtonRelease, [this, pressed, onBackground](QEvent* e) {
        if (std::exchange(*pressed, false) && onBackground(e))
            Form_Click();
        return false;
    });

    QWidget::setTabOrder(txtDesiredCups, opt5oz);
    QWidget::setTabOrder(opt5oz, opt4oz);
    QWidget::setTabOrder(opt4oz, btnWeak);
    QWidget::setTabOrder(btnWeak, btnNormal);
    QWidget::setTabOrder(btnNormal, btnStrong);
    QWidget::setTabOrder(btnStrong, txtStrength);
    QWidget::setTabOrder(txtStrength, txtCupsWater);
    QWidget::setTabOrder(txtCupsWater, txtScoopsCoffee);
    QWidget::setTabOrder(txtScoopsCoffee, txtSmallScoops);
    txtDesiredCups->setFocus();
}

void diaCoffee::Form_Load()
{
    placeForm(*this, 8200, 6900, 300);
    LoadCoffeeSettings();
    CalculateCoffee();
}

void diaCoffee::CalculateCoffee()
{
    // Each step that fails is skipped and leaves its box as it was.
    std::int16_t divisor = 5;
    if (opt4oz->isChecked()) {
        CupOunces = 4;
        divisor = 6;
    } else {
        CupOunces = 5;
    }

    // "Normal" keeps the arithmetic in single precision; "Weak" and
    // "Strong" take it to double. Any other word gives no coffee.
    const QString strength = txtStrength->text();
    std::optional<double> factor;
    bool singlePrecision = false;
    if (strength == QLatin1String("Weak"))
        factor = 0.8;
    if (strength == QLatin1String("Strong"))
        factor = 1.2;
    if (strength == QLatin1String("Normal")) {
        factor = 1;
        singlePrecision = true;
    }

    float ounces = 0;
    std::optional<float> cups;
    try {
        cups = platform::textToSingle(txtDesiredCups->text());
        const float product = *cups * float(CupOunces);
        if (std::isfinite(product))
            ounces = product;
    } catch (const NumberError&) {
    }

    if (cups)
        txtCupsWater->setText(platform::singleToText(*cups));

    if (!factor)
        txtScoopsCoffee->setText(QStringLiteral("0"));
    else if (singlePrecision)
        txtScoopsCoffee->setText(platform::singleToText(ounces / 2.0f / float(divisor)));
    else
        txtScoopsCoffee->setText(platform::doubleToText(double(ounces) * *factor / 2.0 / divisor));

    // Twice the standard scoops as they are shown.
    try {
        txtSmallScoops->setText(platform::doubleToText(platform::textToDouble(txtScoopsCoffee->text()) * 2));
    } catch (const NumberError&) {
    }
}

void diaCoffee::LoadCoffeeSettings()
{
    const QString cups = platform::GetSetting(AppName, Section, QStringLiteral("Cups"), QStringLiteral("10"));
    const QString strength = platform::GetSetting(AppName, Section, QStringLiteral("Strength"), QStringLiteral("Normal"));
    const QString cupSizeText = platform::GetSetting(AppName, Section, QStringLiteral("Cup Size"), QStringLiteral("5"));
    // The whole-number part of the cup size; anything unreadable is 0.
    int cupSize = 0;
    try {
        const double size = std::floor(platform::textToDouble(cupSizeText));
        if (size >= std::numeric_limits<std::int16_t>::min() && size <= std::numeric_limits<std::int16_t>::max())
            cupSize = int(size);
    } catch (const NumberError&) {
    }

    txtDesiredCups->setText(cups);
    txtStrength->setText(strength);
    if (cupSize == 4)
        opt4oz->setChecked(true);
    else
        opt5oz->setChecked(true);
}

void diaCoffee::SaveCoffeeSettings()
{
    // A store that cannot be written loses the settings and nothing else.
    platform::SaveSetting(AppName, Section, QStringLiteral("Cups"), txtDesiredCups->text());
    platform::SaveSetting(AppName, Section, QStringLiteral("Strength"), txtStrength->text());
    platform::SaveSetting(AppName, Section, QStringLiteral("Cup Size"), QString::number(CupOunces));
}

void diaCoffee::btnWeak_Click()
{
    txtStrength->setText(QStringLiteral("Weak"));
    CalculateCoffee();
}

void diaCoffee::btnNormal_Click()
{
    txtStrength->setText(QStringLiteral("Normal"));
    CalculateCoffee();
}

void diaCoffee::btnStrong_Click()
{
    txtStrength->setText(QStringLiteral("Strong"));
    CalculateCoffee();
}

void diaCoffee::opt4oz_Click()
{
    CalculateCoffee();
}

void diaCoffee::opt5oz_Click()
{
    CalculateCoffee();
}

void diaCoffee::txtDesiredCups_Change()
{
    CalculateCoffee();
}

void diaCoffee::txtDesiredCups_KeyPress(int& KeyAscii)
{
    const bool digit = KeyAscii >= '0' && KeyAscii <= '9';
    if (!digit && KeyAscii != 8)
        KeyAscii = 0;
}

void diaCoffee::txtCupsWater_KeyPress(int& KeyAscii)
{
    KeyAscii = 0;
}

void diaCoffee::txtScoopsCoffee_KeyPress(int& KeyAscii)
{
    KeyAscii = 0;
}

void diaCoffee::txtStrength_KeyPress(int& KeyAscii)
{
    KeyAscii = 0;
}

void diaCoffee::Form_Click()
{
    SaveCoffeeSettings();
}

void diaCoffee::toMain_Click()
{
    Unload();
    ShowMainWindow();
}

void diaCoffee::Form_QueryUnload(int& Cancel, int UnloadMode)
{
    (void)Cancel;
    if (UnloadMode == vbFormControlMenu) {
        Unload();
        ShowMainWindow();
    }
}

void diaCoffee::mnuExit_Click()
{
    SaveCoffeeSettings();
    platform::endProgram();
}
