#pragma once
// The unit finder: an alphabetical list of the built-in unit names, from
// which the user picks or types a name; GO TO opens the screen of that
// name's category. It opens over the main window, closes it on GO TO, and
// brings it back on CANCEL and Exit.
#include "platform/form.h"

#include <QPointer>
#include <QStringList>
#include <vector>

class QLabel;
class QPushButton;
namespace platform { class SimpleCombo; }

namespace finder {

// A group of names that lead to one window; for the generic screen, with the
// category it is to show.
struct Group {
    const char* target;
    const char* category; // nullptr: the target needs none
    QStringList listed;   // on the list, in the order they are added
    QStringList typed;    // recognised when typed, never listed
};

// The twenty groups, in the order they are added and tested.
const std::vector<Group>& groups();

// The group that holds this exact name (case and blanks count), or nullptr.
const Group* groupOf(const QString& name);

} // namespace finder

class lookup : public platform::Form {
public:
    lookup();

    void btnGoto_Click();
    void btnCancel_Click();
    void mnuExit_Click();
    void Combo1_DblClick();
    void Combo1_KeyPress(int& KeyAscii);

protected:
    void build(QMainWindow* window) override;
    void Form_Load() override;
    void Form_QueryUnload(int& Cancel, int UnloadMode) override;

private:
    QPointer<QLabel> Label1;
    QPointer<platform::SimpleCombo> Combo1;
    QPointer<QPushButton> btnGoto, btnCancel;
};
