#include "screens/conversionscreen.h"

#include "core/navigation.h"
#include "core/numbertext.h"
#include "core/orvl_mod.h"
#include "core/picturestore.h"
#include "core/placement.h"
#include "platform/controls.h"
#include "platform/events.h"
#include "platform/program.h"
#include "platform/twips.h"
#include "screens/screenparts.h"

#include <QAction>
#include <QComboBox>
#include <QFocusEvent>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <algorithm>
#include <cmath>

using platform::NumberError;
using platform::placeTwips;
using platform::vbFont;
using screenparts::indexed;

namespace {
const QString ConvertMask = QStringLiteral("0.###### E+00");

int sideTop(int top, int topTo, int Index)
{
    return Index == 1 && topTo >= 0 ? topTo : top;
}

// A list with a text field the user may type into. Typed text is never
// added, never completed and never taken as a choice; Enter in it does
// nothing. Only a pick from the drop-down or an arrow key chooses an entry.
void makeTypable(QComboBox* list)
{
    list->setEditable(true);
    list->setInsertPolicy(QComboBox::NoInsert);
    list->setCompleter(nullptr);
    QObject::disconnect(list->lineEdit(), &QLineEdit::editingFinished, list, nullptr);
    QObject::disconnect(list->lineEdit(), &QLineEdit::returnPressed, list, nullptr);
}
} // namespace

ConversionScreen::ConversionScreen(ScreenDesign design) : Form(design.formName), design_(std::move(design)) {}

void ConversionScreen::build(QMainWindow* window)
{
    const ScreenDesign& d = design_;
    window->setWindowTitle(d.caption);
    window->setFont(vbFont(8.25, true));
    if (!d.iconName.isEmpty())
        window->setWindowIcon(platform::the<btn>().icon(d.iconName));

    client = new QWidget(window);
    client->setObjectName(QStringLiteral("client"));
    platform::setBackColor(client, d.backColor);
    window->setCentralWidget(client);

    Label1 = new QLabel(QStringLiteral("Enter your number here:"), client);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setFont(vbFont(9.75));
    platform::setBackColor(Label1, d.labelColor);
    placeTwips(Label1, d.label1.left, d.label1.top, d.label1.width, d.label1.height);
    Label1->adjustSize(); // sized to its text

    Text1 = new QLineEdit(client);
    Text1->setObjectName(QStringLiteral("Text1"));
    Text1->setFont(vbFont(8.25, true));
    placeTwips(Text1, d.text1.left, d.text1.top, d.text1.width, d.text1.height);

    Label2 = new QLabel(QStringLiteral(" ="), client);
    Label2->setObjectName(QStringLiteral("Label2"));
    Label2->setFont(vbFont(12, true));
    platform::setBackColor(Label2, d.labelColor);
    placeTwips(Label2, d.label2.left, d.label2.top, d.label2.width, d.label2.height);

    Text4 = new QLineEdit(client);
    Text4->setObjectName(QStringLiteral("Text4"));
    Text4->setFont(vbFont(8.25, true));
    Text4->setReadOnly(true); // the result is never edited, by keys or by pasting
    placeTwips(Text4, d.text4.left, d.text4.top, d.text4.width, d.text4.height);

    Text5 = new QLineEdit(d.text5Text, client);
    Text5->setObjectName(QStringLiteral("Text5"));
    Text5->setFont(vbFont(8.25, true));
    placeTwips(Text5, d.text5.left, d.text5.top, d.text5.width, d.text5.height);
    Text5->hide();

    for (int i = 0; i < 2; ++i) {
        lbl3[i] = new QLabel(client);
        lbl3[i]->setObjectName(indexed(QStringLiteral("lbl3"), i));
        lbl3[i]->setFont(vbFont(9.75));
        platform::setBackColor(lbl3[i], d.lbl3Color);
        placeTwips(lbl3[i], d.lbl3[i].left, d.lbl3[i].top, d.lbl3[i].width, d.lbl3[i].height);

        Frame1[i] = screenparts::frame(client, d.frameName, i, d.frameColor[i], d.frame[i]);
        if (d.frameTextColor) {
            QPalette pal = Frame1[i]->palette();
            pal.setColor(QPalette::WindowText, platform::vbColor(*d.frameTextColor));
            Frame1[i]->setPalette(pal);
        }

        const int width = i == 1 && d.unitWidthTo > 0 ? d.unitWidthTo : d.unitWidth;
        buttons[i].clear();
        for (size_t b = 0; b < d.buttons.size(); ++b) {
            const UnitButtonDesign& u = d.buttons[b];
            auto* button = screenparts::button(Frame1[i], indexed(u.name, i), u.caption, d.unitColor,
                                               {d.unitLeft, sideTop(u.top, u.topTo, i), width, d.buttonHeight});
            QObject::connect(button, &QPushButton::clicked, button, [this, b, i] { UnitButton_Click(int(b), i); });
            buttons[i].push_back(button);
        }

        lists[i].clear();
        for (size_t l = 0; l < d.lists.size(); ++l) {
            const UnitListDesign& u = d.lists[l];
            auto* list = new QComboBox(Frame1[i]);
            list->setObjectName(indexed(u.name, i));
            list->setFont(vbFont(9.75));
            platform::setBackColor(list, d.unitColor);
            placeTwips(list, d.unitLeft, sideTop(u.top, u.topTo, i), width, d.listHeight);
            if (u.editable)
                makeTypable(list);
            else
                list->setEditable(false); // the user picks, never types
            QObject::connect(list, &QComboBox::activated, list, [this, l, i] { UnitList_Click(int(l), i); });
            // A wheel over the window must not change a unit behind the
            // user's back: only a list that has the focus turns with it.
            list->setFocusPolicy(Qt::StrongFocus);
            platform::onEvent(list, QEvent::Wheel, [list](QEvent* e) {
                if (list->hasFocus())
                    return false;
                e->ignore();
                return true;
            });
            if (u.applyOnFocus) {
                platform::onEvent(list, QEvent::FocusIn, [this, l, i](QEvent* e) {
                    // Only the user's move into the list counts: not the
                    // focus coming back from its drop-down, the menu bar or
                    // another program.
                    const auto reason = static_cast<QFocusEvent*>(e)->reason();
                    if (reason == Qt::MouseFocusReason || reason == Qt::TabFocusReason ||
                        reason == Qt::BacktabFocusReason)
                        UnitList_GotFocus(int(l), i);
                    return false;
                });
            }
            lists[i].push_back(list);
        }
    }

    buildOwnControls(client);
    buildMenus(window);

    QObject::connect(Text1, &QLineEdit::textChanged, Text1, [this] { Text1_Change(); });
    platform::onEvent(Text1, QEvent::KeyPress, [this](QEvent* e) {
        auto* key = static_cast<QKeyEvent*>(e);
        if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
            int KeyAscii = 13;
            Text1_KeyPress(KeyAscii);
        }
        return false;
    });
    platform::onEvent(Text4, QEvent::KeyPress, [this](QEvent* e) {
        const QString typed = static_cast<QKeyEvent*>(e)->text();
        if (typed.isEmpty() || !typed.at(0).isPrint())
            return false;
        int KeyAscii = typed.at(0).unicode();
        Text4_KeyPress(KeyAscii);
        return KeyAscii == 0;
    });

    screenparts::setTabOrder(tabOrder());
    Text1->setFocus();
}

void ConversionScreen::buildMenus(QMainWindow* window)
{
    screenparts::MenuDesign menus;
    menus.about = design_.hasAbout;
    const screenparts::Menus m = screenparts::buildMenus(window, menus);
    QObject::connect(m.mainMenu, &QAction::triggered, window, [this] { toMain_Click(); });
    QObject::connect(m.exit, &QAction::triggered, window, [this] { mnuExit_Click(); });
    QObject::connect(m.copy, &QAction::triggered, window, [this] { mnuCopy_Click(); });
    QObject::connect(m.paste, &QAction::triggered, window, [this] { mnuPaste_Click(); });
    QObject::connect(m.exp, &QAction::triggered, window, [this] { mnuExp_Click(); });
    if (m.about)
        QObject::connect(m.about, &QAction::triggered, window, [this] { AboutOrvalis_Click(); });

    platform::passShortcutsToMenu(Text1, m.keys());
    platform::passShortcutsToMenu(Text4, m.keys());
    for (int i = 0; i < 2; ++i)
        for (size_t l = 0; l < lists[i].size(); ++l)
            if (design_.lists[l].editable)
                platform::passShortcutsToMenu(lists[i][l], m.keys());
}

QList<QWidget*> ConversionScreen::tabOrder() const
{
    QList<QWidget*> order{Text1};
    for (int i = 0; i < 2; ++i) {
        QList<QWidget*> column;
        for (const auto& b : buttons[i])
            column << b;
        for (const auto& l : lists[i])
            column << l;
        std::stable_sort(column.begin(), column.end(), [](QWidget* a, QWidget* b) { return a->y() < b->y(); });
        order << column;
    }
    order << Text4;
    return order;
}

void ConversionScreen::Form_Load()
{
    SideFactor[0] = 0;
    SideFactor[1] = 0;
    ORVL_MOD::ExpMode = -1;
    placeForm(*this, 8200, 6900, design_.topOffset);
    ownLoadSteps();

    std::vector<int> order = design_.listFillOrder;
    if (order.empty())
        for (size_t l = 0; l < design_.lists.size(); ++l)
            order.push_back(int(l));
    for (int i = 0; i < 2; ++i)
        for (int l : order)
            fillList(l, i);
}

void ConversionScreen::fillList(int list, int Index)
{
    const UnitListDesign& d = design_.lists[size_t(list)];
    QComboBox* box = lists[Index][size_t(list)];
    QStringList texts;
    for (const UnitEntry& e : d.entries)
        texts << e.text;
    if (d.sorted)
        std::stable_sort(texts.begin(), texts.end(),
                         [](const QString& a, const QString& b) { return a.compare(b, Qt::CaseInsensitive) < 0; });
    if (d.headerAfterEntries) {
        box->addItems(texts);
        box->insertItem(0, d.header);
    } else {
        box->addItem(d.header);
        box->addItems(texts);
    }
    // Choosing the header raises Click as the platform did; it names no unit.
    box->setCurrentIndex(0);
    UnitList_Click(list, Index);
}

void ConversionScreen::showResult(double r)
{
    Text5->setText(platform::doubleToText(r));
    if (ORVL_MOD::ExpMode == 1)
        Text4->setText(platform::formatNumber(r, ConvertMask));
    else
        Text4->setText(FormatResult(r));
}

void ConversionScreen::SetUnitAndConvert(int Index, double Factor, const QString& UnitCaption)
{
    // An input that cannot be read keeps its text and still lets the unit be
    // chosen, but yields no result: 0 is never shown as if it were one.
    bool readable = true;
    try {
        QString input = Text1->text();
        Text1->setText(EvalFraction(input));
    } catch (const NumberError&) {
        Text4->setText(QString());
        readable = false;
    }

    if (!RecalcOnly) {
        SideFactor[Index] = Factor;
        lbl3[Index]->setText(UnitCaption);
    }

    if (!readable || Text1->text().isEmpty() || SideFactor[0] == 0 || SideFactor[1] == 0)
        return;
    try {
        const double r = platform::textToDouble(Text1->text()) * SideFactor[0] / SideFactor[1];
        if (!std::isfinite(r))
            throw NumberError(NumberError::Overflow, "overflow");
        showResult(r);
    } catch (const NumberError&) {
        Text4->setText(QString());
    }
}

void ConversionScreen::Recalculate()
{
    RecalcOnly = true;
    SetUnitAndConvert(2, 1.0, QStringLiteral("dummy"));
    RecalcOnly = false;
}

void ConversionScreen::Text1_Change()
{
    Text4->setText(QString());
}

void ConversionScreen::Text1_KeyPress(int& KeyAscii)
{
    if (KeyAscii == 13 && SideFactor[0] != 0 && SideFactor[1] != 0)
        Recalculate();
}

void ConversionScreen::Text4_KeyPress(int& KeyAscii)
{
    KeyAscii = 0;
}

void ConversionScreen::mnuCopy_Click()
{
    screenparts::copyText(Text4->text());
}

void ConversionScreen::mnuPaste_Click()
{
    screenparts::pasteInto(Text1);
}

void ConversionScreen::mnuExp_Click()
{
    ORVL_MOD::ExpMode = std::int16_t(-ORVL_MOD::ExpMode);
    RawResult = Text5->text();
    // An empty result box belongs to an input changed since the last
    // result: the old result must not come back beside it.
    if (Text4->text().isEmpty())
        return;
    try {
        const double raw = platform::textToDouble(RawResult);
        Text4->setText(ORVL_MOD::ExpMode == 1 ? platform::formatNumber(raw, design_.expItemMask) : FormatResult(raw));
    } catch (const NumberError&) {
        // No result yet: the box stays as it is.
    }
}

void ConversionScreen::toMain_Click()
{
    screenparts::backToMain(*this);
}

void ConversionScreen::Form_QueryUnload(int& Cancel, int UnloadMode)
{
    (void)Cancel;
    screenparts::backToMainOnClose(*this, UnloadMode);
}

void ConversionScreen::mnuExit_Click()
{
    platform::endProgram();
}

void ConversionScreen::AboutOrvalis_Click()
{
    ShowAboutBox(this);
}

void ConversionScreen::UnitButton_Click(int button, int Index)
{
    const UnitButtonDesign& b = design_.buttons[size_t(button)];
    SetUnitAndConvert(Index, b.factor, b.unit);
}

void ConversionScreen::lookup(int list, int Index)
{
    const QString shown = lists[Index][size_t(list)]->currentText();
    for (const UnitEntry& e : design_.lists[size_t(list)].entries) {
        if (e.text == shown) {
            SetUnitAndConvert(Index, e.factor, e.unit);
            return;
        }
    }
    // The header names no unit: the column keeps what it has.
}

void ConversionScreen::UnitList_Click(int list, int Index)
{
    lookup(list, Index);
}

void ConversionScreen::UnitList_GotFocus(int list, int Index)
{
    lookup(list, Index);
}
