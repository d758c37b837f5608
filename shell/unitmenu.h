#pragma once
// The main window: twenty-eight picture buttons with their captions and a
// menu bar that lead to every screen. The custom sets' buttons take their
// names and pictures from the custom-set file each time the window becomes
// active. Closing it, or Exit, ends the program.
#include "platform/form.h"
#include "shell/menutable.h"

#include <QDateTime>
#include <QHash>
#include <QPixmap>
#include <QPointer>
#include <vector>

class QLabel;
namespace platform { class ImageControl; }

// Names the main window and the About box as the windows that screens go
// back to and show; called once, before the first window opens.
void ConnectNavigation();

class UnitMenu : public platform::Form {
public:
    UnitMenu();

    // Handlers of the menu bar.
    void cmdExit_Click();
    void mnuLookup_Click();
    void AboutOrvalis_Click();
    void mnuCalculator_Click();
    void mnuNotepad_Click();
    void mnuCalcSetup_Click();
    void mnuNoteSetup_Click();

    // The Click of a category's picture button (PicBtnArea_Click and the
    // like), of its caption label (lblArea_Click) and of its menu item
    // (Area_Click): the entry's road to its window.
    void Category_Click(const unitmenu::Entry& entry, unitmenu::Way way);

    // MouseDown and MouseUp of a picture button and of a caption label: the
    // entry's press effect.
    void PicBtn_MouseDown(const unitmenu::Entry& entry);
    void PicBtn_MouseUp(const unitmenu::Entry& entry);
    void lbl_MouseDown(const unitmenu::Entry& entry);
    void lbl_MouseUp(const unitmenu::Entry& entry);

protected:
    void build(QMainWindow* window) override;
    void Form_Load() override;
    void Form_Activate() override;
    void Form_QueryUnload(int& Cancel, int UnloadMode) override;

private:
    void buildMenus(QMainWindow* window);
    void press(const unitmenu::Entry& entry, unitmenu::Press effect, bool down);
    // A picture of the picture store, drawn once for the run.
    const QPixmap& stored(const char* name);

    // Controls, by entry (null for the sixth set, which has none).
    std::vector<QPointer<platform::ImageControl>> pictures_;
    std::vector<QPointer<QLabel>> labels_;
    QHash<QString, QPixmap> drawn_;
    // Each custom set's own picture as last decoded, by section.
    struct OwnPicture {
        QString path;
        QDateTime changed; // the picture file's modification time
        QSize shown;       // in device pixels
        QPixmap picture;   // null: not a picture
        bool decoded = false;
    };
    QHash<QString, OwnPicture> ownPictures_;
};
