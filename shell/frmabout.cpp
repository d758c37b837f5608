#include "shell/frmabout.h"

#include "core/placement.h"
#include "platform/controls.h"
#include "platform/events.h"
#include "platform/imagecontrol.h"
#include "platform/launch.h"
#include "platform/modal.h"
#include "platform/program.h"
#include "platform/twips.h"

#include <QApplication>
#include <QDesktopServices>
#include <QFileInfo>
#include <QLabel>
#include <QMainWindow>
#include <QPainter>
#include <QPushButton>
#include <QShortcut>
#include <QSvgRenderer>
#include <QTimer>
#include <QUrl>
#include <stdexcept>

using platform::placeTwips;
using platform::vbFont;

const QString frmAbout::HomePage = QStringLiteral("https://www.example.org/");
const QString frmAbout::SupportMail = QStringLiteral("support@example.org");

namespace {

// Where the registry names the system-information tool: its full path, or
// failing that the folder that holds it.
const QString gREGKEYSYSINFO = QStringLiteral("SOFTWARE\\Microsoft\\Shared Tools\\MSINFO");
const QString gREGVALSYSINFO = QStringLiteral("PATH");
const QString gREGKEYSYSINFOLOC = QStringLiteral("SOFTWARE\\Microsoft\\Shared Tools Location");
const QString gREGVALSYSINFOLOC = QStringLiteral("MSINFO");
const QString SysInfoProgram = QStringLiteral("/MSINFO32.EXE");

constexpr unsigned RedText = 0x000000C0;
constexpr unsigned BlueText = 0x00C00000;

// One of our drawings, at the size of the control it fills.
QPixmap drawing(const QString& name, QSize size)
{
    QSvgRenderer renderer(QStringLiteral(":/pictures/%1.svg").arg(name));
    QPixmap pm(size);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    renderer.render(&p);
    return pm;
}

QLabel* label(QWidget* parent, const QString& name, const QString& text, unsigned colour)
{
    auto* l = new QLabel(text, parent);
    l->setObjectName(name);
    l->setTextFormat(Qt::PlainText);
    QPalette pal = l->palette();
    pal.setColor(QPalette::WindowText, platform::vbColor(colour));
    l->setPalette(pal);
    return l;
}

// A label that is a link: underlined, and reports its clicks.
QLabel* link(QWidget* parent, const QString& name, const QString& text, unsigned colour,
             std::function<void()> onClick)
{
    QLabel* l = label(parent, name, text, colour);
    QFont f = vbFont(9.75);
    f.setUnderline(true);
    l->setFont(f);
    l->setCursor(Qt::PointingHandCursor);
    auto* mouse = new platform::MouseReporter(l);
    QObject::connect(mouse, &platform::MouseReporter::Click, l, std::move(onClick));
    return l;
}

} // namespace

frmAbout::frmAbout() : Form(QStringLiteral("frmAbout")) {}

void frmAbout::build(QMainWindow* window)
{
    window->setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                           Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);
    auto* client = new QWidget(window);
    client->setObjectName(QStringLiteral("client"));
    window->setCentralWidget(client);

    Image1 = new platform::ImageControl(client);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setTwipsGeometry(120, 0, 1320, 960);
    Image1->setPicture([size = Image1->size()] { return drawing(QStringLiteral("imgAboutRuler"), size); });

    lblTitle = label(client, QStringLiteral("lblTitle"), QString(), 0);
    placeTwips(lblTitle, 1680, 120, 3885, 240);
    lblDescription = label(client, QStringLiteral("lblDescription"), QString(), 0);
    lblDescription->setWordWrap(true);
    lblDescription->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    placeTwips(lblDescription, 1680, 525, 3885, 1650);

    // An etched separator: a grey line over a white one.
    struct Line { const char* name; int left, top, right, width; unsigned colour; };
    for (const Line& l : {Line{"Line1_1", 90, 2325, 5654, 1, 0x00808080}, Line{"Line1_0", 105, 2340, 5654, 2, 0x00FFFFFF}}) {
        auto* w = new QWidget(client);
        w->setObjectName(QLatin1String(l.name));
        platform::setBackColor(w, l.colour);
        w->setGeometry(platform::twipsToPixels(l.left), platform::twipsToPixels(l.top),
                       platform::twipsToPixels(l.right - l.left), l.width);
    }

    cmdOK = platform::commandButton(client, QStringLiteral("cmdOK"), QStringLiteral("OK"), 4245, 2505, 1260, 345);
    cmdSysInfo = platform::commandButton(client, QStringLiteral("cmdSysInfo"), QStringLiteral("&System Info..."), 4260, 2955, 1245, 345);
    QObject::connect(cmdOK, &QPushButton::clicked, window, [this] { cmdOK_Click(); });
    QObject::connect(cmdSysInfo, &QPushButton::clicked, window, [this] { cmdSysInfo_Click(); });
    QWidget::setTabOrder(cmdOK, cmdSysInfo);

    Label1 = label(client, QStringLiteral("Label1"), QStringLiteral("Homepage:"), RedText);
    Label1->setFont(vbFont(9.75));
    placeTwips(Label1, 360, 2640, 1080, 240);
    Label1->adjustSize();
    URLbrenholtsoft = link(client, QStringLiteral("URLbrenholtsoft"), QUrl(HomePage).host(), BlueText,
                           [this] { URLbrenholtsoft_Click(); });
    placeTwips(URLbrenholtsoft, 1680, 2640, 2190, 240);
    URLbrenholtsoft->adjustSize();

    Image2 = new platform::ImageControl(client);
    Image2->setObjectName(QStringLiteral("Image2"));
    Image2->setTwipsGeometry(240, 2880, 585, 480);
    Image2->setPicture([size = Image2->size()] { return drawing(QStringLiteral("iconLetterInFlight"), size); });
    QObject::connect(Image2->mouse(), &platform::MouseReporter::Click, Image2, [this] { Image2_Click(); });

    Label2 = label(client, QStringLiteral("Label2"), QStringLiteral("Email:"), RedText);
    Label2->setFont(vbFont(9.75));
    placeTwips(Label2, 960, 3000, 555, 240);
    Label2->adjustSize();
    lblSupport = link(client, QStringLiteral("lblSupport"), SupportMail, RedText, [this] { lblSupport_Click(); });
    placeTwips(lblSupport, 1680, 3000, 2145, 240);
    lblSupport->adjustSize();

    // OK is the default and the cancel button: Enter presses the button that
    // has the focus, or OK; Esc presses OK.
    auto enter = [this] {
        auto* focused = qobject_cast<QPushButton*>(QApplication::focusWidget());
        (focused == cmdSysInfo ? cmdSysInfo : cmdOK)->click();
    };
    for (Qt::Key key : {Qt::Key_Return, Qt::Key_Enter})
        QObject::connect(new QShortcut(QKeySequence(key), window), &QShortcut::activated, window, enter);
    QObject::connect(new QShortcut(QKeySequence(Qt::Key_Escape), window), &QShortcut::activated, window,
                     [this] { cmdOK->click(); });

    // A fixed dialog border: once the window is up at its size, it keeps it.
    platform::onEvent(window, QEvent::Show, [window](QEvent*) {
        QTimer::singleShot(0, window, [window] { window->setFixedSize(window->size()); });
        return false;
    });
}

void frmAbout::Form_Load()
{
    placeForm(*this, 5730, 3800, 200);
    window()->setWindowTitle(QStringLiteral("About Orvalis"));
    const platform::VersionRecord v = platform::programVersion();
    lblTitle->setText(QStringLiteral("Orvalis Unit Conversions - Ver. %1.%2.%3").arg(v.Major).arg(v.Minor).arg(v.Revision));
    lblDescription->setText(QStringLiteral(
        "Orvalis converts lengths, areas, volumes, weights, speeds, temperatures and thirteen further kinds "
        "of quantity between their units, and keeps six sets of units of your own.\n\n"
        "Copyright \u00A9 2026 the Orvalis developers."));
    cmdOK->setFocus();
}

void frmAbout::cmdOK_Click()
{
    Unload();
}

void frmAbout::cmdSysInfo_Click()
{
    StartSysInfo();
}

void frmAbout::Image2_Click()
{
    QDesktopServices::openUrl(QUrl(QStringLiteral("mailto:") + SupportMail));
}

void frmAbout::lblSupport_Click()
{
    QDesktopServices::openUrl(QUrl(QStringLiteral("mailto:") + SupportMail));
}

void frmAbout::URLbrenholtsoft_Click()
{
    QDesktopServices::openUrl(QUrl(HomePage));
}

void frmAbout::StartSysInfo()
{
    using platform::HKEY_LOCAL_MACHINE;
    try {
        QString SysInfoPath;
        if (GetKeyValue(HKEY_LOCAL_MACHINE, gREGKEYSYSINFO, gREGVALSYSINFO, SysInfoPath)) {
            // Started as the registry names it, without a look at the file.
            if (platform::Shell(SysInfoPath, platform::vbNormalFocus))
                return;
        } else if (GetKeyValue(HKEY_LOCAL_MACHINE, gREGKEYSYSINFOLOC, gREGVALSYSINFOLOC, SysInfoPath)) {
            if (QFileInfo(SysInfoPath + SysInfoProgram).isFile()) {
                SysInfoPath += SysInfoProgram;
                if (platform::Shell(SysInfoPath, platform::vbNormalFocus))
                    return;
            }
        }
    } catch (const std::exception&) {
        // Any failure on the way is the message below.
    }
    platform::MsgBox(window(), QStringLiteral("System Information Is Unavailable At This Time"), platform::vbOKOnly,
                     platform::programTitle());
}

bool frmAbout::GetKeyValue(platform::HKEY KeyRoot, const QString& KeyName, const QString& SubKeyRef, QString& KeyVal)
{
    using namespace platform;
    HKEY hKey = 0;
    // The key is closed on every way out, also when the open failed.
    struct Closer {
        HKEY& key;
        ~Closer() { RegCloseKey(key); }
    } closer{hKey};

    // Reading is all that is asked for: a key the user may only read is
    // still found.
    if (RegOpenKeyExA(KeyRoot, KeyName, 0, KEY_READ, &hKey) != ERROR_SUCCESS) {
        KeyVal.clear();
        return false;
    }
    QByteArray tmpVal(1024, '\0');
    std::uint32_t KeyValSize = 1024;
    std::uint32_t KeyValType = 0;
    if (RegQueryValueExA(hKey, SubKeyRef, 0, &KeyValType, tmpVal, &KeyValSize) != ERROR_SUCCESS) {
        KeyVal.clear();
        return false;
    }
    if (KeyValSize == 0)
        throw std::runtime_error("registry value of no bytes");
    // A last byte of 0 is taken for a text's terminating NUL and dropped.
    tmpVal.truncate(int(tmpVal.at(int(KeyValSize) - 1) == '\0' ? KeyValSize - 1 : KeyValSize));
    switch (KeyValType) {
    case REG_SZ:
        KeyVal = QString::fromLocal8Bit(tmpVal);
        break;
    case REG_DWORD:
        for (int k = tmpVal.size() - 1; k >= 0; --k)
            KeyVal += QString::number(uchar(tmpVal.at(k)), 16).toUpper();
        KeyVal = QStringLiteral("&h") + KeyVal;
        break;
    default:
        break; // other types leave KeyVal as it was
    }
    return true;
}
