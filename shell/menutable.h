#pragma once
// The main window's categories: for each, its picture button and caption
// label with their places, its pictures and press effect, its menu item, and
// the window it opens with the category it stores. The window is built from
// this table and every way in (picture, label, menu item) takes its road
// from it.
#include <QString>
#include <vector>

namespace platform { class Form; }

namespace unitmenu {

struct Box {
    int left = 0, top = 0, width = 0, height = 0;
};

enum class LabelKind {
    Auto,    // sized to its text
    Centred, // a fixed box; a caption too wide wraps at word boundaries
};

// What pressing a control does to the picture button it belongs to.
enum class Press {
    None,      // nothing
    Swap,      // pressed picture while held, released picture after
    MoveRight, // moved 50 twips right and down while held, and back after
};

enum class Menu { Select, User };

// How a way in opens its window, besides storing the category.
enum class Road {
    Standard,         // hide the main window, then show the target modeless
    ShowThenHide,     // show the target modeless, then hide the main window
    ModalOverMain,    // hide the main window, then show the target modal over it
};

enum class Way { Picture, Label, MenuItem };

struct Entry {
    const char* category;     // as the grid shows it, for people reading tests
    const char* picture;      // picture button; nullptr: reached by its menu item only
    Box pictureBox;
    const char* up;           // released (or built-in) picture
    const char* down;         // pressed picture; nullptr: none
    Press picturePress;
    const char* label;        // caption label
    const char* caption;
    Box labelBox;
    LabelKind labelKind;
    Press labelPress;
    Menu menu;
    const char* menuItem;
    const char* menuCaption;
    const char* target;       // the form it opens
    const char* categoryName; // stored before opening; nullptr leaves it unchanged
    Road pictureRoad;
    Road labelRoad;
    Road menuRoad;

    Road road(Way way) const;
};

// The twenty-eight buttons in the order of the grid, row by row, then the
// sixth custom set, which has a menu item only.
const std::vector<Entry>& entries();

// The entry of a control or menu item name, or nullptr.
const Entry* entryNamed(const QString& controlName);

// The items of the Select menu, top to bottom. Not quite alphabetical: the
// menu's designed order.
const std::vector<const Entry*>& selectMenu();

// Windows opened from the main window outside the category grid.
inline constexpr const char* LookupTarget = "lookup";
inline constexpr const char* AboutTarget = "frmAbout";
inline constexpr const char* OptionsTarget = "frmOption";

// The one instance of the form of that name, or nullptr for a name that
// is no form of the program.
platform::Form* targetForm(const QString& target);

} // namespace unitmenu
