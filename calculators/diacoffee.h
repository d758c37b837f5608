#pragma once
// The coffee calculator: water and scoops of ground coffee for a number of
// cups, a maker and a strength. It remembers the cups, the strength and the
// maker in the user's settings from one run to the next.
#include "platform/form.h"

#include <QPointer>
#include <cstdint>

class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

class diaCoffee : public platform::Form {
public:
    diaCoffee();

    void CalculateCoffee();
    void LoadCoffeeSettings();
    void SaveCoffeeSettings();

    // Handlers.
    void btnWeak_Click();
    void btnNormal_Click();
    void btnStrong_Click();
    void opt4oz_Click();
    void opt5oz_Click();
    void txtDesiredCups_Change();
    void txtDesiredCups_KeyPress(int& KeyAscii);
    void txtCupsWater_KeyPress(int& KeyAscii);
    void txtScoopsCoffee_KeyPress(int& KeyAscii);
    void txtStrength_KeyPress(int& KeyAscii);
    void Form_Click();
    void toMain_Click();
    void mnuExit_Click();

protected:
    void build(QMainWindow* window) override;
    void Form_Load() override;
    void Form_QueryUnload(int& Cancel, int UnloadMode) override;

private:
    // Ounces per cup of the selected maker: 4 cone, 5 drip.
    std::int16_t CupOunces = 0;

    QPointer<QWidget> client;
    QPointer<QLineEdit> txtDesiredCups, txtStrength, txtCupsWater, txtScoopsCoffee, txtSmallScoops;
    QPointer<QGroupBox> Frame1, Frame2;
    QPointer<QRadioButton> opt5oz, opt4oz;
    QPointer<QPushButton> btnWeak, btnNormal, btnStrong;
};
