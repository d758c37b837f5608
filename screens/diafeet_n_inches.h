#pragma once
// The feet-and-inches screen: lengths between inch, foot, millimeter,
// centimeter, meter and feet together with inches, on either side, all in
// single precision.
#include "platform/form.h"

#include <QPointer>
#include <QString>
#include <cstdint>

class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;

class diaFeet_n_Inches : public platform::Form {
public:
    diaFeet_n_Inches();

    // The unit buttons of side Index (0 from, 1 to).
    void btnInches_Click(int Index);
    void btnFeet_Click(int Index);
    void btnFtInches_Click(int Index);
    void btnMillimeters_Click(int Index);
    void btnCentimeters_Click(int Index);
    void btnMeters_Click(int Index);

    // Makes the unit the unit of side Index and converts once both sides
    // have one. "FeetInches" is feet together with inches.
    void SetFeetInchesUnit(int Index, double Factor, const QString& UnitCaption);

    void mnuCopy_Click();
    void mnuPaste_Click();
    void toMain_Click();
    void mnuExit_Click();
    void AboutOrvalis_Click();

protected:
    void build(QMainWindow* window) override;
    void Form_Load() override;
    void Form_QueryUnload(int& Cancel, int UnloadMode) override;

private:
    void setUpSide(int Index, const QString& UnitCaption);
    void convert(int Index);
    // The feet of a length from its whole part in inches and w, that whole
    // part mod 12.
    static float feetOf(std::int32_t whole, std::int32_t w);
    void showSplit(float feet, float inches);

    // Form-level state, kept for the whole run. A side factor of 0 means no
    // unit chosen on that side since the screen opened.
    float SideFactor[3] = {0, 0, 0};
    bool FeetInchesSide[3] = {false, false, false};
    float InputNumber = 0;
    float InputInches = 0;

    QPointer<QLabel> Label1, Label2;
    QPointer<QLineEdit> Text1, Text3;
    QPointer<QLabel> lbl3[2], lbl3FtIn[2];
    QPointer<QLineEdit> txtFtIn[2];
    QPointer<QGroupBox> Frame1[2];
    QPointer<QPushButton> unitButtons[2][6];
};
