#include "shell/unitmenu.h"

#include "core/ini_file_tools.h"
#include "core/loaddata.h"
#include "core/navigation.h"
#include "core/picturestore.h"
#include "core/placement.h"
#include "platform/controls.h"
#include "platform/imagecontrol.h"
#include "platform/launch.h"
#include "platform/program.h"
#include "platform/twips.h"
#include "shell/frmoption.h"

#include <algorithm>
#include <QAction>
#include <QDateTime>
#include <QFileInfo>
#include <QLabel>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>

using unitmenu::Entry;
using unitmenu::Press;
using unitmenu::Road;
using unitmenu::Way;

namespace {
constexpr unsigned BackColor = 0x00FFC0C0;
constexpr int PressOffset = 50; // twips that "Power" moves its picture
} // namespace

UnitMenu::UnitMenu() : Form(QStringLiteral("UnitMenu")) {}

void ConnectNavigation()
{
    SetNavigation({[] { return static_cast<platform::Form*>(&platform::the<UnitMenu>()); },
                   [] { return unitmenu::targetForm(QLatin1String(unitmenu::AboutTarget)); }});
}

void UnitMenu::build(QMainWindow* window)
{
    window->setWindowTitle(QStringLiteral("Orvalis - Unit Conversions "));
    window->setWindowIcon(platform::the<btn>().icon(QStringLiteral("iconProgram")));

    // The captions' look is set once on the client area, for every caption
    // label to inherit.
    auto* client = new QWidget(window);
    client->setObjectName(QStringLiteral("client"));
    platform::setBackColor(client, BackColor);
    QPalette captionColours = client->palette();
    captionColours.setColor(QPalette::WindowText, platform::vbColor(platform::vbWindowText));
    client->setPalette(captionColours);
    client->setFont(platform::vbFont(8.25, true));
    window->setCentralWidget(client);

    auto* prompt = new QLabel(QStringLiteral("Select a category of units:"), client);
    prompt->setObjectName(QStringLiteral("Label2"));
    prompt->setTextFormat(Qt::PlainText);
    prompt->setFont(platform::vbFont(9.75, true));
    platform::placeTwips(prompt, 240, 120, 0, 0);
    prompt->adjustSize();


    const auto& entries = unitmenu::entries();
    pictures_.assign(entries.size(), nullptr);
    labels_.assign(entries.size(), nullptr);
    for (size_t k = 0; k < entries.size(); ++k) {
        const Entry& e = entries[k];
        if (!e.picture)
            continue;
        auto* picture = new platform::ImageControl(client);
        picture->setObjectName(QLatin1String(e.picture));
        picture->setAccessibleName(QLatin1String(e.caption));
        picture->setTwipsGeometry(e.pictureBox.left, e.pictureBox.top, e.pictureBox.width, e.pictureBox.height);
        QObject::connect(picture->mouse(), &platform::MouseReporter::MouseDown, picture, [this, &e] { PicBtn_MouseDown(e); });
        QObject::connect(picture->mouse(), &platform::MouseReporter::MouseUp, picture, [this, &e] { PicBtn_MouseUp(e); });
        QObject::connect(picture->mouse(), &platform::MouseReporter::Click, picture, [this, &e] { Category_Click(e, Way::Picture); });
        pictures_[k] = picture;

        // Captions are shown as written: a custom set's name is never markup.
        auto* label = new QLabel(QLatin1String(e.caption), client);
        label->setObjectName(QLatin1String(e.label));
        label->setTextFormat(Qt::PlainText);
        platform::placeTwips(label, e.labelBox.left, e.labelBox.top, e.labelBox.width, e.labelBox.height);
        if (e.labelKind == unitmenu::LabelKind::Auto) {
            label->adjustSize();
        } else {
            // A fixed box: a caption wider than the box wraps at word
            // boundaries and the box shows as many lines as fit.
            label->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
            label->setWordWrap(true);
        }
        auto* mouse = new platform::MouseReporter(label);
        QObject::connect(mouse, &platform::MouseReporter::MouseDown, label, [this, &e] { lbl_MouseDown(e); });
        QObject::connect(mouse, &platform::MouseReporter::MouseUp, label, [this, &e] { lbl_MouseUp(e); });
        QObject::connect(mouse, &platform::MouseReporter::Click, label, [this, &e] { Category_Click(e, Way::Label); });
        labels_[k] = label;
    }

    buildMenus(window);
}

void UnitMenu::buildMenus(QMainWindow* window)
{
    QMenuBar* bar = window->menuBar();
    auto menu = [bar](const QString& name, const QString& caption) {
        QMenu* m = bar->addMenu(caption);
        m->setObjectName(name);
        return m;
    };
    auto item = [](QMenu* m, const QString& name, const QString& caption) {
        QAction* a = m->addAction(caption);
        a->setObjectName(name);
        return a;
    };
    auto category = [this, window, item](QMenu* m, const Entry& e) {
        QAction* a = item(m, QLatin1String(e.menuItem), QLatin1String(e.menuCaption));
        QObject::connect(a, &QAction::triggered, window, [this, &e] { Category_Click(e, Way::MenuItem); });
    };

    QMenu* file = menu(QStringLiteral("mnuFile"), QStringLiteral("&File"));
    QAction* exit = item(file, QStringLiteral("cmdExit"), QStringLiteral("E&xit"));
    QObject::connect(exit, &QAction::triggered, window, [this] { cmdExit_Click(); });

    QMenu* select = menu(QStringLiteral("Selection"), QStringLiteral("&Select"));
    for (const Entry* e : unitmenu::selectMenu())
        category(select, *e);

    QAction* lookup = bar->addAction(QStringLiteral("&Lookup"));
    lookup->setObjectName(QStringLiteral("mnuLookup"));
    QObject::connect(lookup, &QAction::triggered, window, [this] { mnuLookup_Click(); });

    QMenu* user = menu(QStringLiteral("mnuUser"), QStringLiteral("&User"));
    for (const Entry& e : unitmenu::entries())
        if (e.menu == unitmenu::Menu::User)
            category(user, e);

    QMenu* tools = menu(QStringLiteral("mnuTools"), QStringLiteral("&Tools"));
    QAction* notepad = item(tools, QStringLiteral("mnuNotepad"), QStringLiteral("&Notepad"));
    QAction* calculator = item(tools, QStringLiteral("mnuCalculator"), QStringLiteral("&Calculator"));
    tools->addSeparator()->setObjectName(QStringLiteral("mnuSep1"));
    QMenu* options = tools->addMenu(QStringLiteral("&Options"));
    options->setObjectName(QStringLiteral("mnuOptions"));
    QAction* calcSetup = item(options, QStringLiteral("mnuCalcSetup"), QStringLiteral("Calculator Setup"));
    QAction* noteSetup = item(options, QStringLiteral("mnuNoteSetup"), QStringLiteral("Notepad Setup"));
    QObject::connect(notepad, &QAction::triggered, window, [this] { mnuNotepad_Click(); });
    QObject::connect(calculator, &QAction::triggered, window, [this] { mnuCalculator_Click(); });
    QObject::connect(calcSetup, &QAction::triggered, window, [this] { mnuCalcSetup_Click(); });
    QObject::connect(noteSetup, &QAction::triggered, window, [this] { mnuNoteSetup_Click(); });

    QMenu* help = menu(QStringLiteral("mnuHelp"), QStringLiteral("&Help"));
    QAction* about = item(help, QStringLiteral("AboutOrvalis"), QStringLiteral("&About Orvalis"));
    QObject::connect(about, &QAction::triggered, window, [this] { AboutOrvalis_Click(); });
}

const QPixmap& UnitMenu::stored(const char* name)
{
    const QString key = QLatin1String(name);
    auto it = drawn_.find(key);
    if (it == drawn_.end())
        it = drawn_.insert(key, platform::the<btn>().picture(key));
    return *it;
}

void UnitMenu::Form_Load()
{
    btn& store = platform::the<btn>();
    if (!store.IsLoaded())
        store.Load();
    placeForm(*this, 9800, 6400, 200);
    const auto& entries = unitmenu::entries();
    for (size_t k = 0; k < entries.size(); ++k)
        if (pictures_[k])
            pictures_[k]->setPicture([this, name = entries[k].up] { return stored(name); });
}

void UnitMenu::Form_Activate()
{
    // The file is read once for all five sets.
    const platform::IniSnapshot file = ReadIniFile(platform::programFolder() + QStringLiteral("/user.dat"));
    const auto& entries = unitmenu::entries();
    // Sets 1 to 5; the sixth has no button. The pictures to decode are
    // gathered first and decoded together: metafiles are drawn side by side.
    QList<QPair<QString, QSize>> toDecode;
    std::vector<std::pair<size_t, OwnPicture>> decoded; // entry, its picture
    for (size_t k = 0; k < entries.size(); ++k) {
        const Entry& e = entries[k];
        if (e.menu != unitmenu::Menu::User || !pictures_[k])
            continue;
        const QString section = QLatin1String(e.categoryName);
        const QString name = file.value(section, QStringLiteral("Table_Name"), QLatin1String(e.caption));
        labels_[k]->setText(name);
        // A set without a name is still announced as its button.
        pictures_[k]->setAccessibleName(name.isEmpty() ? QLatin1String(e.caption) : name);

        // The set's own picture; its built-in one when it names none, or a
        // file that is not a picture that can be read. A picture file is
        // decoded again only when the path or the file's time changed.
        const QString path = file.value(section, QStringLiteral("Button_Image"), QString());
        const QFileInfo info(path);
        const QDateTime changed = path.isEmpty() ? QDateTime() : info.lastModified();
        // Decoded at the size the button shows it, never kept at full size.
        const QSize shown = pictures_[k]->size() * pictures_[k]->devicePixelRatioF();
        const auto same = [&](const OwnPicture& o) {
            return o.decoded && o.path == path && o.changed == changed && o.shown == shown;
        };
        OwnPicture& own = ownPictures_[section];
        if (!same(own)) {
            // Sets naming one file share one decoding (a metafile that
            // cannot be drawn is waited for once, not once per set).
            const auto other = std::find_if(ownPictures_.cbegin(), ownPictures_.cend(), same);
            if (other != ownPictures_.cend()) {
                own = *other;
            } else {
                own = {path, changed, shown, QPixmap(), false};
                if (!toDecode.contains(qMakePair(path, shown)))
                    toDecode.append({path, shown});
            }
        }
        decoded.emplace_back(k, own);
    }
    const QList<QPixmap> fresh = platform::LoadPictures(toDecode);
    for (auto& [k, own] : decoded) {
        if (!own.decoded) {
            own.picture = fresh[toDecode.indexOf(qMakePair(own.path, own.shown))];
            own.decoded = true;
            ownPictures_[QLatin1String(entries[k].categoryName)] = own;
        }
        if (own.picture.isNull())
            pictures_[k]->setPicture([this, name = entries[k].up] { return stored(name); });
        else
            pictures_[k]->setPicture(own.picture);
    }
}

void UnitMenu::Form_QueryUnload(int& Cancel, int UnloadMode)
{
    (void)Cancel;
    // Only the user's closing ends the program; an unload by code does not.
    if (UnloadMode == vbFormControlMenu) {
        Unload();
        platform::endProgram();
    }
}

void UnitMenu::cmdExit_Click()
{
    Unload();
    platform::endProgram();
}

void UnitMenu::mnuLookup_Click()
{
    // The finder opens over the main window, which stays usable.
    if (platform::Form* finder = unitmenu::targetForm(QLatin1String(unitmenu::LookupTarget)))
        finder->Show();
}

void UnitMenu::AboutOrvalis_Click()
{
    ShowAboutBox(this);
}

void UnitMenu::mnuCalculator_Click()
{
    // Read at every launch; the program starts beside this window, which
    // keeps the focus, and is not waited for.
    platform::Shell(tools::command(tools::Calculator), platform::vbNormalNoFocus);
}

void UnitMenu::mnuNotepad_Click()
{
    platform::Shell(tools::command(tools::NotePad), platform::vbNormalNoFocus);
}

void UnitMenu::mnuCalcSetup_Click()
{
    // Modeless and without owner: the main window stays usable.
    if (platform::Form* dialog = unitmenu::targetForm(QLatin1String(unitmenu::OptionsTarget)))
        dialog->Show();
}

void UnitMenu::mnuNoteSetup_Click()
{
    mnuCalcSetup_Click();
}

void UnitMenu::Category_Click(const Entry& entry, Way way)
{
    platform::Form* target = unitmenu::targetForm(QLatin1String(entry.target));
    if (!target)
        return; // not part of the program yet: the main window stays
    auto storeCategory = [&entry] {
        if (entry.categoryName)
            LOADDATA::CategoryName = QLatin1String(entry.categoryName);
    };
    switch (entry.road(way)) {
    case Road::Standard:
        Hide();
        storeCategory();
        target->Show();
        break;
    case Road::ShowThenHide:
        storeCategory();
        target->Show();
        Hide();
        break;
    case Road::ModalOverMain:
        Hide();
        storeCategory();
        target->ShowModal(this);
        return; // its way back has shown the main window again
    }
    // A window that did not come up must not leave the user with none.
    if (!target->IsLoaded())
        Show();
}

void UnitMenu::press(const Entry& entry, Press effect, bool down)
{
    const auto k = size_t(&entry - unitmenu::entries().data());
    platform::ImageControl* picture = pictures_[k];
    if (!picture)
        return;
    switch (effect) {
    case Press::None:
        break;
    case Press::Swap:
        picture->setPicture(stored(down ? entry.down : entry.up));
        break;
    case Press::MoveRight: {
        const int by = down ? PressOffset : -PressOffset;
        picture->MoveTwips(picture->Left() + by, picture->Top() + by);
        break;
    }
    }
}

void UnitMenu::PicBtn_MouseDown(const Entry& entry)
{
    press(entry, entry.picturePress, true);
}

void UnitMenu::PicBtn_MouseUp(const Entry& entry)
{
    press(entry, entry.picturePress, false);
}

void UnitMenu::lbl_MouseDown(const Entry& entry)
{
    press(entry, entry.labelPress, true);
}

void UnitMenu::lbl_MouseUp(const Entry& entry)
{
    press(entry, entry.labelPress, false);
}
