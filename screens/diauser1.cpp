#include "screens/diauser1.h"

#include "core/ini_file_tools.h"
#include "core/openfile.h"
#include "core/loaddata.h"
#include "platform/controls.h"
#include "platform/modal.h"
#include "platform/numtext.h"
#include "platform/program.h"
#include "platform/twips.h"

#include <QAction>
#include <QDir>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QMainWindow>
#include <QMenu>
#include <QPushButton>

using platform::placeTwips;
using platform::vbFont;

namespace {

constexpr int Units = 12;
constexpr unsigned BackColor = 0x00FFC0C0;
constexpr unsigned BoxText = 0x00FF0000; // blue

const QString DefaultTableName = QStringLiteral("User Defined Table");

// The set a file without it shows: lengths in inches.
struct DefaultUnit {
    const char* name;
    const char* factor;
};
constexpr DefaultUnit Defaults[Units] = {
    {"inch", "1"},           {"foot", "12"},           {"yard", "36"},
    {"pinky finger", "2.75"}, {"knuckle", "1.5"},      {"new pencil", "7.5"},
    {"9 volt battery", "1.75"}, {"large paper clip", "1.875"}, {"U.S. Quarter", ".96875"},
    {"U.S. Cent", ".75"},    {"U.S. Dime", ".6875"},   {"U.S. Nickel", ".8125"},
};

const QString Hint1 = QStringLiteral(
    "To customize your buttons, change the button text and assign a factor multiplier.  Default values are "
    "given as an example. Note that \"inch\" has a factor of \"1\" and all the other buttons have factors "
    "relative to inches.");
const QString Hint2 =
    QStringLiteral("Note that \"Yard\" has a factor multipler of \"36\", because there are 36 inches to a yard.");
const QString Hint3 = QStringLiteral(
    "Select \"Options\", \"User Customize\", \"Save Custom\r\n Units\" to save choices in the user.dat file.\r\n");

QString nameKey(int k) { return QStringLiteral("User%1_Text").arg(k); }
QString factorKey(int k) { return QStringLiteral("User%1_Factor").arg(k); }

QString userFile()
{
    return platform::programFolder() + QStringLiteral("/user.dat");
}

ScreenDesign userDesign()
{
    ScreenDesign d;
    d.formName = QStringLiteral("diaUser1");
    d.caption = QStringLiteral("User Defined Table #1"); // replaced by the set's name
    d.backColor = BackColor;
    d.topOffset = 300;
    d.frame[0] = {840, 1320, 3090, 4320};
    d.frame[1] = {4560, 1320, 3090, 4320};
    d.frameColor[0] = d.frameColor[1] = BackColor;
    d.label1 = {960, 240, 2115, 240};
    d.text1 = {3240, 240, 1500, 300};
    d.label2 = {2880, 660, 270, 300};
    d.text4 = {3240, 660, 1515, 315};
    d.text5 = {240, 600, 570, 300};
    d.lbl3[0] = {4875, 300, 2685, 225};
    d.lbl3[1] = {4860, 720, 2685, 225};
    d.labelColor = BackColor;
    d.lbl3Color = platform::vbWindowBackground;
    d.text5Text = QString();
    d.unitLeft = 300;
    d.unitWidth = 2400;
    d.buttonHeight = 280;
    d.unitColor = platform::vbButtonFace;
    // Names and sizes come from the set's boxes, not from here.
    for (int k = 1; k <= Units; ++k) {
        const QString name = QStringLiteral("btn%1").arg(k, 2, 10, QLatin1Char('0'));
        d.buttons.push_back({name, QString(), QString(), 0.0, 315 * k});
    }
    d.hasAbout = true;
    return d;
}

QLabel* panelLabel(QWidget* panel, const char* name, const QString& text, Twips at, double points)
{
    auto* label = new QLabel(text, panel);
    label->setObjectName(QLatin1String(name));
    label->setTextFormat(Qt::PlainText);
    label->setFont(vbFont(points));
    placeTwips(label, at.left, at.top, at.width, at.height);
    return label;
}

QLineEdit* panelBox(QWidget* panel, const QString& name, Twips at, bool blue)
{
    auto* box = new QLineEdit(panel);
    box->setObjectName(name);
    box->setFont(vbFont(8.25));
    if (blue) {
        QPalette pal = box->palette();
        pal.setColor(QPalette::Base, Qt::white);
        pal.setColor(QPalette::Text, platform::vbColor(BoxText));
        box->setPalette(pal);
    }
    placeTwips(box, at.left, at.top, at.width, at.height);
    return box;
}

QPlainTextEdit* hintBox(QWidget* panel, const char* name, const QString& text, Twips at)
{
    auto* box = new QPlainTextEdit(panel);
    box->setObjectName(QLatin1String(name));
    box->setPlainText(text);
    box->setReadOnly(true);
    box->setFrameShape(QFrame::NoFrame);
    box->setFocusPolicy(Qt::ClickFocus); // outside the tab order
    box->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    box->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    box->document()->setDocumentMargin(1);
    box->setFont(vbFont(7.5)); // the designed lines fit the designed boxes
    QPalette pal = box->palette();
    pal.setColor(QPalette::Base, platform::vbColor(BackColor));
    pal.setColor(QPalette::Text, Qt::black);
    box->setPalette(pal);
    placeTwips(box, at.left, at.top, at.width, at.height);
    return box;
}

} // namespace

diaUser1::diaUser1() : ConversionScreen(userDesign()) {}

void diaUser1::buildOwnControls(QWidget* client)
{
    helpbox = new QFrame(client);
    helpbox->setObjectName(QStringLiteral("helpbox"));
    platform::setBackColor(helpbox, BackColor);
    placeTwips(helpbox, 330, 225, 7755, 6030);

    panelLabel(helpbox, "Label5", QStringLiteral("          Help for Custom Units"), {150, 240, 3660, 345}, 12);
    txtHints1 = hintBox(helpbox, "txtHints1", Hint1, {75, 795, 3780, 1200});
    txtHints2 = hintBox(helpbox, "txtHints2", Hint2, {45, 2220, 3930, 510});
    txtHints3 = hintBox(helpbox, "txtHints3", Hint3, {60, 2955, 3735, 510});
    for (const auto& [name, text, left, width] :
         {std::tuple{"Label3", "Button Text", 4470, 1350}, {"Label4", "Factor", 5970, 1305}}) {
        QLabel* heading = panelLabel(helpbox, name, QLatin1String(text), {left, 105, width, 285}, 8.25);
        QFont arial = heading->font();
        arial.setFamilies({QStringLiteral("Arial"), QStringLiteral("Liberation Sans")});
        heading->setFont(arial);
        heading->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    }
    for (int k = 1; k <= Units; ++k) {
        const int top = 450 + 315 * (k - 1);
        txtUser[k] = panelBox(helpbox, QStringLiteral("txtUser%1").arg(k), {k <= 7 ? 4470 : 4485, top, 1350, 285}, true);
        txtUser[k]->setMaxLength(platform::IniMaxValueLength); // no more is read back
        factorUser[k] = panelBox(helpbox, QStringLiteral("factorUser%1").arg(k), {5985, top, k == 9 ? 1290 : 1300, 285}, true);
    }
    panelLabel(helpbox, "Label6", QStringLiteral("    Enter the name of your table here:"), {60, 4680, 3435, 345}, 9.75);
    txtTableName = panelBox(helpbox, QStringLiteral("txtTableName"), {3585, 4665, 2055, 345}, false);
    txtTableName->setMaxLength(platform::IniMaxValueLength);
    panelLabel(helpbox, "Label7", QStringLiteral("  Enter path to your own button image:"), {60, 5160, 3435, 345}, 9.75);
    txtImageName = panelBox(helpbox, QStringLiteral("txtImageName"), {3585, 5160, 2055, 345}, false);
    txtImageName->setToolTip(QStringLiteral("gif, wmf, bmp"));
    cmdBrowse = platform::commandButton(helpbox, QStringLiteral("cmdBrowse"), QStringLiteral("Browse"), 5760, 5160, 1455, 375);
    QObject::connect(cmdBrowse, &QPushButton::clicked, cmdBrowse, [this] { cmdBrowse_Click(); });

    // It lies over the unit columns and the input and result rows.
    helpbox->raise();
    helpbox->hide();
}

void diaUser1::build(QMainWindow* window)
{
    ConversionScreen::build(window);
    for (int i = 0; i < 2; ++i) {
        for (QPushButton* b : buttons[i])
            b->setFont(vbFont(8.25));
        lbl3[i]->setTextFormat(Qt::PlainText); // a unit's name as typed, never markup
    }
    addCustomizeItems(window->findChild<QMenu*>(QStringLiteral("mnuOptions")));
}

void diaUser1::addCustomizeItems(QMenu* options)
{
    options->addSeparator()->setObjectName(QStringLiteral("mnuSpacer"));
    QMenu* customize = options->addMenu(QStringLiteral("&User Customize"));
    customize->setObjectName(QStringLiteral("mnuCustomize"));
    auto item = [customize](const char* name, const char* caption) {
        QAction* a = customize->addAction(QLatin1String(caption));
        a->setObjectName(QLatin1String(name));
        return a;
    };
    mnuReviseCustom = item("mnuReviseCustom", "&Revise Custom Units");
    mnuSaveCustom = item("mnuSaveCustom", "&Save Custom Units");
    mnuChanges = item("mnuChanges", "&Cancel Changes");
    QObject::connect(mnuReviseCustom, &QAction::triggered, customize, [this] { mnuReviseCustom_Click(); });
    QObject::connect(mnuSaveCustom, &QAction::triggered, customize, [this] { mnuSaveCustom_Click(); });
    QObject::connect(mnuChanges, &QAction::triggered, customize, [this] { mnuChanges_Click(); });
    mnuSaveCustom->setEnabled(false);
    mnuChanges->setEnabled(false);
}

void diaUser1::ownLoadSteps()
{
    Section = LOADDATA::CategoryName;
    LoadCustomSet();
}

void diaUser1::captionButtons()
{
    for (int i = 0; i < 2; ++i)
        for (int k = 1; k <= Units; ++k)
            buttons[i][size_t(k - 1)]->setText(txtUser[k]->text());
}

// The title shows the name as written. Qt reads "[*]" in a title as the
// place of its window-modified mark and drops it, and shows "[*][*]" as one
// literal "[*]": every "[*]" of the name is doubled. An empty title would
// show the application's name in its place: an empty table name is shown
// as a single blank, which is never taken for the name. The name itself is
// kept apart, so that a name of one blank and an empty one stay distinct.
void diaUser1::setCaption(const QString& tableName)
{
    TableName = tableName;
    const QString title = QString(tableName).replace(QLatin1String("[*]"), QLatin1String("[*][*]"));
    window()->setWindowTitle(title.isEmpty() ? QStringLiteral(" ") : title);
}

QString diaUser1::caption() const
{
    return TableName;
}

void diaUser1::LoadCustomSet()
{
    const platform::IniSnapshot file = ReadIniFile(userFile());
    txtImageName->setText(file.value(Section, QStringLiteral("Button_Image"), QString()));
    setCaption(file.value(Section, QStringLiteral("Table_Name"), DefaultTableName));
    for (int k = 1; k <= Units; ++k) {
        const DefaultUnit& d = Defaults[k - 1];
        txtUser[k]->setText(file.value(Section, nameKey(k), QLatin1String(d.name)));
        factorUser[k]->setText(file.value(Section, factorKey(k), QLatin1String(d.factor)));
    }
    captionButtons();
}

bool diaUser1::SaveCustomSet(QString* whyNot)
{
    platform::IniValues values{{QStringLiteral("Button_Image"), txtImageName->text()},
                               {QStringLiteral("Table_Name"), txtTableName->text()}};
    for (int k = 1; k <= Units; ++k) {
        values.push_back({nameKey(k), LOADDATA::UnitName(k)});
        values.push_back({factorKey(k), fileNumber(LOADDATA::UnitFactor(k))});
    }
    return WriteIniSection(userFile(), Section, values, whyNot);
}

std::optional<double> diaUser1::readFactor(const QString& text)
{
    const QString t = text.trimmed();
    if (t.isEmpty())
        return 0.0;
    try {
        return platform::textToDouble(t);
    } catch (const platform::NumberError&) {
        // Not in the user's form; perhaps in the file's.
    }
    // The file's "." read by the same rules as the user's decimal
    // separator, so that a number reads alike in every locale (1.5e-400 is
    // 0 everywhere, as it is where "." is the user's own).
    try {
        return platform::textToDouble(QString(t).replace(QLatin1Char('.'), QLocale().decimalPoint()));
    } catch (const platform::NumberError&) {
        return std::nullopt;
    }
}

QString diaUser1::fileNumber(double value)
{
    const QString digits = platform::doubleToPlainText(value); // "0" for -0 too
    return value < 0 ? digits : QLatin1Char(' ') + digits;
}

void diaUser1::UnitButton_Click(int button, int Index)
{
    btnNN_Click(button + 1, Index);
}

void diaUser1::btnNN_Click(int NN, int Index)
{
    // A factor that cannot be read counts as no unit chosen, as 0 does; the
    // result of the unit it replaces must not stay beside its name.
    const double factor = readFactor(factorUser[NN]->text()).value_or(0.0);
    SetUnitAndConvert(Index, factor, txtUser[NN]->text());
    if (factor == 0)
        Text4->clear();
}

void diaUser1::setRevising(bool revising)
{
    helpbox->setVisible(revising);
    Frame1[0]->setEnabled(!revising);
    Frame1[1]->setEnabled(!revising);
    mnuSaveCustom->setEnabled(revising);
    mnuReviseCustom->setEnabled(!revising);
    mnuChanges->setEnabled(revising);
}

void diaUser1::mnuReviseCustom_Click()
{
    txtTableName->setText(caption());
    setRevising(true);
    txtUser[1]->setFocus();
}

void diaUser1::mnuSaveCustom_Click()
{
    // Every factor is checked before anything is written: a set is saved
    // whole or not at all, and the panel stays open with the edits.
    double factors[Units + 1] = {};
    for (int k = 1; k <= Units; ++k) {
        const std::optional<double> factor = readFactor(factorUser[k]->text());
        if (!factor) {
            const QString unit = txtUser[k]->text().isEmpty() ? QStringLiteral("unit %1").arg(k)
                                                               : QStringLiteral("\"%1\"").arg(txtUser[k]->text());
            platform::MsgBox(window(),
                             QStringLiteral("The factor of %1 is not a number: \"%2\".\n\nNothing was saved.")
                                 .arg(unit, factorUser[k]->text()),
                             platform::vbExclamation);
            factorUser[k]->setFocus();
            return;
        }
        factors[k] = *factor;
    }
    for (int k = 1; k <= Units; ++k) {
        LOADDATA::UnitName(k) = txtUser[k]->text();
        LOADDATA::UnitFactor(k) = factors[k];
    }
    if (QString whyNot; !SaveCustomSet(&whyNot)) {
        platform::MsgBox(window(),
                         QStringLiteral("The custom units could not be saved to %1: %2.\n\nYour changes are still here.")
                             .arg(QDir::toNativeSeparators(userFile()), whyNot),
                         platform::vbExclamation);
        return;
    }
    captionButtons();
    setCaption(txtTableName->text());
    setRevising(false);
}

void diaUser1::mnuChanges_Click()
{
    setRevising(false);
    LoadCustomSet();
}

void diaUser1::cmdBrowse_Click()
{
    QString filter = QStringLiteral("Pictures (*.bmp;*.ico;*.wmf)|*.bmp;*.ico;*.wmf|All Files (*.*)|*.*");
    const QString chosen = ShowOpen(this, filter, QStringLiteral("Select An Image"), platform::programFolder());
    // Cancelling keeps the path that was there.
    if (!chosen.isEmpty())
        txtImageName->setText(chosen);
}
