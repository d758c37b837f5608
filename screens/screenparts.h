#pragma once
// Pieces that every conversion screen shares, whether it is built on the
// ConversionScreen class or converts in its own way: the menu bar, the way
// back to the main window, the clipboard text, and the designed controls
// they are made of.
#include "screens/screendesign.h"

#include <QKeySequence>
#include <QList>
#include <QString>

class QAction;
class QFont;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QMainWindow;
class QMenu;
class QWidget;
namespace platform { class Form; }

namespace screenparts {

// The name of element Index of a control array ("btnF_0").
QString indexed(const QString& name, int Index);

// Designed controls at their place in twips. A label and a button take the
// given back colour; a text box is white.
QLabel* label(QWidget* parent, const QString& name, const QString& text, const QFont& font, unsigned backColor,
              const Twips& at);
QLineEdit* textBox(QWidget* parent, const QString& name, const Twips& at);
// Element Index of a frame array: "Convert from:" (0) or "Convert to:" (1).
QGroupBox* frame(QWidget* parent, const QString& name, int Index, unsigned backColor, const Twips& at);
// A unit button that Enter in a text box never clicks.
QPushButton* button(QWidget* parent, const QString& name, const QString& caption, unsigned backColor,
                    const Twips& at);
// Tab moves through the controls in this order.
void setTabOrder(const QList<QWidget*>& order);

// A menu item with its control name, caption and shortcut.
QAction* item(QMenu* menu, const QString& name, const QString& caption, const QKeySequence& key = {});

struct MenuDesign {
    QString mainMenuName = QStringLiteral("toMain"); // the "&Main Menu" item
    bool exponential = true;                         // "&Options" with "&Exponential"
    bool about = true;                               // a top-level "&About"
};

// The items of the screen menus; exp and about are null where the design
// has none.
struct Menus {
    QAction *mainMenu, *exit, *copy, *paste, *exp = nullptr, *about = nullptr;
    // Their Ctrl shortcuts, for the text boxes to hand to the menu.
    QList<QKeySequence> keys() const;
};

// "&File" (Main Menu, Exit), "&Edit" (Copy, Paste), then "&Options" and
// "&About" where the design has them.
Menus buildMenus(QMainWindow* window, const MenuDesign& design = {});

// The way back: the screen unloads and the main window shows again.
void backToMain(platform::Form& screen);
// The same when the user closes the screen by its close box; an unload by
// code is already on its way back.
void backToMainOnClose(platform::Form& screen, int UnloadMode);

// Copy: the clipboard is cleared, then holds this text.
void copyText(const QString& text);
// Paste: the box is emptied, then the clipboard's text is inserted.
void pasteInto(QLineEdit* box);

} // namespace screenparts
