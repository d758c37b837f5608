#include "shell/frmoption.h"

#include "core/ini_file_tools.h"
#include "core/openfile.h"
#include "platform/controls.h"
#include "platform/modal.h"
#include "platform/program.h"
#include "platform/twips.h"

#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QPushButton>
#include <QStandardPaths>

using platform::placeTwips;
using platform::vbFont;

namespace tools {

namespace {
struct ToolTable {
    const char* key;
    std::initializer_list<const char*> programs; // in order of preference
};

const ToolTable& table(Kind kind)
{
    static const ToolTable tables[] = {
        {"Calculator", {"gnome-calculator", "kcalc", "galculator", "qalculate-gtk", "mate-calc", "xcalc"}},
        {"NotePad", {"gnome-text-editor", "gedit", "kwrite", "kate", "mousepad", "pluma", "xed", "leafpad"}},
    };
    return tables[kind == NotePad ? 1 : 0];
}
} // namespace

QString optionsFile()
{
    return platform::programFolder() + QStringLiteral("/orvalis.ini");
}

QString key(Kind kind)
{
    return QLatin1String(table(kind).key);
}

QString defaultCommand(Kind kind)
{
    const ToolTable& t = table(kind);
    for (const char* program : t.programs) {
        const QString path = QStandardPaths::findExecutable(QLatin1String(program));
        if (!path.isEmpty())
            return path;
    }
    return GetWindowsDir() + QLatin1Char('/') + QLatin1String(*t.programs.begin());
}

QString command(Kind kind)
{
    return ReadIni(optionsFile(), QStringLiteral("Options"), key(kind), defaultCommand(kind));
}

} // namespace tools

frmOption::frmOption() : Form(QStringLiteral("frmOption")) {}

void frmOption::build(QMainWindow* window)
{
    window->setWindowTitle(QStringLiteral("Tool Selection"));
    auto* client = new QWidget(window);
    client->setObjectName(QStringLiteral("client"));
    window->setCentralWidget(client);

    auto label = [client](const QString& name, const QString& text, int l, int t, int w, int h, bool fits) {
        auto* lbl = new QLabel(text, client);
        lbl->setObjectName(name);
        lbl->setFont(vbFont(9.75));
        lbl->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        placeTwips(lbl, l, t, w, h);
        if (fits)
            lbl->adjustSize();
        else
            lbl->setWordWrap(true);
        return lbl;
    };
    auto box = [client](const QString& name, int l, int t, int w, int h, bool designedFont) {
        auto* b = new QLineEdit(client);
        b->setObjectName(name);
        if (designedFont)
            b->setFont(vbFont(9.75));
        placeTwips(b, l, t, w, h);
        return b;
    };

    Label1 = label(QStringLiteral("Label1"), QStringLiteral("This is the current path to the calculator program:"),
                   480, 240, 4275, 240, true);
    lblCalcPath = box(QStringLiteral("lblCalcPath"), 480, 600, 3735, 375, false);
    Label2 = label(QStringLiteral("Label2"),
                   QStringLiteral("To select a different calculator program, enter the path to your calculator "
                                  "program here:"),
                   480, 1080, 5655, 495, false);
    txtCalcPath = box(QStringLiteral("txtCalcPath"), 480, 1800, 3735, 405, true);
    btnBrowse[0] = platform::commandButton(client, QStringLiteral("btnBrowse_0"), QStringLiteral("Browse"), 4440, 1830, 1575, 345);
    Label4 = label(QStringLiteral("Label4"), QStringLiteral("This is the current path to the notepad program:"),
                   480, 2400, 4155, 240, true);
    lblNotePath = box(QStringLiteral("lblNotePath"), 480, 2760, 3735, 375, false);
    Label3 = label(QStringLiteral("Label3"),
                   QStringLiteral("To select a different text editor, enter the path to your program here:"),
                   480, 3240, 5655, 495, false);
    txtNotePath = box(QStringLiteral("txtNotePath"), 480, 3960, 3735, 405, true);
    btnBrowse[1] = platform::commandButton(client, QStringLiteral("btnBrowse_1"), QStringLiteral("Browse"), 4440, 3960, 1575, 375);
    btnOK[0] = platform::commandButton(client, QStringLiteral("btnOK_0"), QStringLiteral("OK"), 1800, 4920, 1575, 375);
    btnCancel = platform::commandButton(client, QStringLiteral("btnCancel"), QStringLiteral("Cancel"), 3840, 4920, 1575, 375);

    for (int Index = 0; Index < 2; ++Index)
        QObject::connect(btnBrowse[Index], &QPushButton::clicked, window, [this, Index] { btnBrowse_Click(Index); });
    QObject::connect(btnOK[0], &QPushButton::clicked, window, [this] { btnOK_Click(0); });
    QObject::connect(btnCancel, &QPushButton::clicked, window, [this] { btnCancel_Click(); });

    const QList<QWidget*> order{txtCalcPath, btnOK[0], btnCancel, btnBrowse[0],
                                lblCalcPath, lblNotePath, txtNotePath, btnBrowse[1]};
    for (int k = 0; k + 1 < order.size(); ++k)
        QWidget::setTabOrder(order[k], order[k + 1]);

    // Placed by the system; only its client area is designed.
    window->resize(platform::twipsToPixels(8550), platform::twipsToPixels(5490));
}

void frmOption::Form_Load()
{
    lblCalcPath->setText(tools::command(tools::Calculator));
    lblNotePath->setText(tools::command(tools::NotePad));
    txtCalcPath->clear();
    txtNotePath->clear();
    txtCalcPath->setFocus();
}

void frmOption::btnBrowse_Click(int Index)
{
    QString filter = QStringLiteral("Executables (*.EXE)|*.EXE");
    const QString path = ShowOpen(this, filter, QString(), GetWindowsDir());
    // Cancelled: the box keeps what the user had typed.
    if (path.isEmpty())
        return;
    if (QLineEdit* box = Index == 0 ? txtCalcPath : txtNotePath)
        box->setText(path);
}

void frmOption::btnOK_Click(int Index)
{
    (void)Index;
    const QString file = tools::optionsFile();
    bool saved = true;
    // Only the boxes with a new path; what the current-path boxes show is
    // never stored.
    const std::pair<QLineEdit*, tools::Kind> boxes[] = {{txtCalcPath, tools::Calculator}, {txtNotePath, tools::NotePad}};
    for (const auto& [box, kind] : boxes)
        if (!box->text().isEmpty())
            saved = WriteIni(file, QStringLiteral("Options"), tools::key(kind), box->text()) && saved;
    if (!saved) {
        // The dialog stays with the typed paths, for another try.
        platform::MsgBox(window(),
                         QStringLiteral("The new paths could not be saved in %1.").arg(QDir::toNativeSeparators(file)),
                         platform::vbOKOnly | platform::vbExclamation, platform::programTitle());
        return;
    }
    Unload();
}

void frmOption::btnCancel_Click()
{
    Unload();
}
