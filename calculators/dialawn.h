#pragma once
// The fuel-mix calculator: the oil to mix into gasoline for a two-stroke
// engine, for a quantity of gasoline and a fuel-to-oil ratio, in fluid
// ounces, tablespoons, teaspoons, cc and ml.
#include "platform/form.h"

#include <QPointer>
#include <QString>
#include <cstdint>

class QComboBox;
class QLabel;
class QLineEdit;

class diaLawn : public platform::Form {
public:
    diaLawn();

    void CalculateMix();

    // Handlers.
    void cboGasOilRatio_Click();
    void cboGasOilRatio_GotFocus();
    void Text1_Change();
    void mnuMainmenu_Click();
    void mnuExit_Click();

    // The decorative lines, from x1, y1 to x2, y2 in twips.
    struct Line {
        const char* name;
        int x1, y1, x2, y2;
    };
    static const Line Lines[12];

protected:
    void build(QMainWindow* window) override;
    void Form_Load() override;
    void Form_QueryUnload(int& Cancel, int UnloadMode) override;

private:
    void setRatioFromList();

    // Form-level state: the gallons as typed, the parts of fuel per part of
    // oil, and the five amounts of oil.
    QString gallons;
    std::int16_t ratio = 0;
    double ounces = 0, millilitres = 0, cubicCentimetres = 0, tablespoons = 0, teaspoons = 0;

    QPointer<QLineEdit> Text1;
    QPointer<QComboBox> cboGasOilRatio;
    QPointer<QLabel> lblOZ, lblTBSP, lblTSP, lblCC, lblML, lblGallons;
};
