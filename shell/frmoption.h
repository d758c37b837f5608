#pragma once
// The external tools: a calculator and a text editor, whose command lines
// orvalis.ini holds, and the Tool Selection dialog, where the user sees the
// two and types or browses for new ones.
#include "platform/form.h"

#include <QPointer>
#include <QString>

class QLabel;
class QLineEdit;
class QPushButton;

namespace tools {

// A kind of tool; also the Index of its Browse button.
enum Kind { Calculator = 0, NotePad = 1 };

// orvalis.ini in the program's folder.
QString optionsFile();
// The tool's key in the [Options] section.
QString key(Kind kind);
// The command line used while orvalis.ini names none: the full path of the
// first installed of the kind's usual programs; when none is installed, the
// first of them in the system's program folder.
QString defaultCommand(Kind kind);
// The command line in force: orvalis.ini's, read afresh, or the default.
QString command(Kind kind);

} // namespace tools

class frmOption : public platform::Form {
public:
    frmOption();

    void btnBrowse_Click(int Index);
    void btnOK_Click(int Index);
    void btnCancel_Click();

protected:
    void build(QMainWindow* window) override;
    void Form_Load() override;

private:
    QPointer<QLabel> Label1, Label2, Label3, Label4;
    QPointer<QLineEdit> lblCalcPath, txtCalcPath, lblNotePath, txtNotePath;
    QPointer<QPushButton> btnBrowse[2], btnOK[1], btnCancel;
};
