#pragma once
// The conversion screen: an input box, a "Convert from:" and a "Convert
// to:" column of unit buttons and lists, a result box, and the menus to copy,
// paste, switch the exponent display, go back and leave. Each screen is a
// ScreenDesign; a screen that converts differently overrides the convert
// routine.
#include "platform/form.h"
#include "screens/screendesign.h"

#include <QPointer>

class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QAction;

class ConversionScreen : public platform::Form {
public:
    explicit ConversionScreen(ScreenDesign design);

    const ScreenDesign& design() const { return design_; }

    // The convert routine: Index 0 sets the from side, 1 the to side, 2 only
    // recomputes (with RecalcOnly set).
    virtual void SetUnitAndConvert(int Index, double Factor, const QString& UnitCaption);
    void Recalculate();

    // Handlers.
    void Text1_Change();
    void Text1_KeyPress(int& KeyAscii);
    void Text4_KeyPress(int& KeyAscii);
    void mnuCopy_Click();
    void mnuPaste_Click();
    void mnuExp_Click();
    void toMain_Click();
    void mnuExit_Click();
    void AboutOrvalis_Click();
    virtual void UnitButton_Click(int button, int Index);
    void UnitList_Click(int list, int Index);
    void UnitList_GotFocus(int list, int Index);

protected:
    void build(QMainWindow* window) override;
    void Form_Load() override;
    void Form_QueryUnload(int& Cancel, int UnloadMode) override;

    // A screen's own steps of its load, after placement and before the
    // lists are filled.
    virtual void ownLoadSteps() {}
    // Controls a screen adds to the designed window.
    virtual void buildOwnControls(QWidget* client) { (void)client; }
    // The order in which Tab moves through the controls.
    virtual QList<QWidget*> tabOrder() const;

    // Shows a computed result: its raw text and its text by display mode.
    void showResult(double r);

    // Form-level state, kept for the whole run.
    double SideFactor[3] = {0, 0, 0};
    bool RecalcOnly = false;
    QString RawResult;

    QPointer<QWidget> client;
    QPointer<QLabel> Label1, Label2;
    QPointer<QLineEdit> Text1, Text4, Text5;
    QPointer<QLabel> lbl3[2];
    QPointer<QGroupBox> Frame1[2];
    std::vector<QPointer<QPushButton>> buttons[2];
    std::vector<QPointer<QComboBox>> lists[2];

private:
    void buildMenus(QMainWindow* window);
    void fillList(int list, int Index);
    void lookup(int list, int Index);

    ScreenDesign design_;
};
