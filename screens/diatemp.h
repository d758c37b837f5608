#pragma once
// The temperature screen: Fahrenheit, Celsius, Kelvin and Rankine, each pair
// by its own formula, and no input below absolute zero.
#include "platform/form.h"

#include <QPointer>
#include <QString>

class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;

class diaTemp : public platform::Form {
public:
    diaTemp();

    // The scale buttons of side Index (0 from, 1 to).
    void btnF_Click(int Index);
    void btnC_Click(int Index);
    void btnK_Click(int Index);
    void btnR_Click(int Index);

    void ConvertTemperature();

    void mnuNotes_Click();
    void mnuCopy_Click();
    void mnuPaste_Click();
    void mnuMainmenu_Click();
    void mnuExit_Click();

protected:
    void build(QMainWindow* window) override;
    void Form_Load() override;
    void Form_QueryUnload(int& Cancel, int UnloadMode) override;

private:
    void chooseScale(int Index, const QString& letter);

    // Form-level state: the scale letter of each side ("" until chosen in
    // this opening) and the input as read by the latest conversion.
    QString ScaleCode[2];
    QString Degrees;

    QPointer<QLabel> Label1, range, Label4;
    QPointer<QLineEdit> txtDegreesIn, txtDegreesOut;
    QPointer<QLabel> lblDeg[2];
    QPointer<QLineEdit> lbltag[2];
    QPointer<QGroupBox> Frame3[2];
    QPointer<QPushButton> scaleButtons[2][4];
};
