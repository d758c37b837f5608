#include "shell/menutable.h"

#include "calculators/diacoffee.h"
#include "calculators/dialawn.h"
#include "platform/form.h"
#include "screens/diafeet_n_inches.h"
#include "screens/dialength.h"
#include "screens/diatemp.h"
#include "screens/diauser1.h"
#include "screens/diavelocity.h"
#include "screens/diavolume.h"
#include "screens/diaweight.h"
#include "screens/template1.h"
#include "shell/frmabout.h"
#include "shell/frmoption.h"
#include "shell/lookup.h"

namespace unitmenu {

namespace {

constexpr auto Auto = LabelKind::Auto;
constexpr auto Centred = LabelKind::Centred;
constexpr auto Std = Road::Standard;

std::vector<Entry> buildEntries()
{
    // Picture button and its place, pictures and press effect; caption label
    // and its place, kind and press effect; menu item; target and category.
    const Press S = Press::Swap, N = Press::None;
    const Menu Sel = Menu::Select;
    return {
        {"Length / Distance", "picBtnLength", {390, 675, 960, 690}, "imgLengthUp", "imgLengthDn", S,
         "lblLength", "Length / Distance", {60, 1470, 1560, 195}, Auto, S,
         Sel, "Length", "&Length", "diaLength", nullptr, Std, Std, Std},
        {"Area", "PicBtnArea", {1770, 645, 840, 720}, "imgAreaUp", "imgAreaDn", S,
         "lblArea", "Area", {1980, 1485, 405, 195}, Auto, S,
         Sel, "Area", "&Area", "template1", "Area", Std, Std, Std},
        {"Volume", "PicBtnVolume", {3030, 600, 825, 870}, "imgVolumeUp", "imgVolumeDn", S,
         "lblVolume", "Volume", {3120, 1530, 645, 225}, Auto, S,
         Sel, "Volume", "&Volume", "diaVolume", nullptr, Std, Std, Std},
        {"Imperial Volume", "PicBtnImperial", {4395, 705, 705, 630}, "imgCrownUp", "imgCrownDn", S,
         "lblImperial", "Imperial Volume", {4230, 1395, 975, 375}, Centred, S,
         Sel, "mnuImperial", "&Imperial Volume", "template1", "Imperial", Std, Std, Std},
        {"Speed / Velocity", "PicBtnVelocity", {5715, 720, 810, 705}, "imgVelocityUp", "imgVelocityDn", S,
         "lblVelocity", "Speed / Velocity", {5445, 1530, 1440, 180}, Auto, S,
         Sel, "Speed", "&Speed / Velocity", "diaVelocity", nullptr, Std, Std, Std},
        {"Weight", "PicBtnWeight", {7050, 660, 765, 795}, "imgWeightUp", "imgWeightDn", S,
         "lblWeight", "Weight", {7140, 1530, 645, 225}, Auto, S,
         Sel, "Weight", "&Weight", "diaWeight", nullptr, Std, Std, Std},
        {"Time", "PicBtnTime", {8340, 735, 705, 630}, "imgTimeUp", "imgTimeDn", S,
         "lblTime", "Time", {8490, 1530, 420, 195}, Auto, S,
         Sel, "Time", "T&ime", "template1", "Time", Std, Std, Std},

        // The label and the menu item open the feet-and-inches screen modal
        // over the main window; the picture opens it modeless.
        {"Feet and Inches", "PicBtnFeetInch", {330, 1920, 960, 690}, "imgFeetInchUp", "imgFeetInchDn", S,
         "lblFeetInch", "Feet and Inches", {120, 2715, 1395, 195}, Auto, N,
         Sel, "mnuFeetInches", "Feet and Inc&hes", "diaFeet_n_Inches", nullptr, Std, Road::ModalOverMain,
         Road::ModalOverMain},
        {"Temperature", "PicBtnTemperature", {1800, 1905, 765, 735}, "imgTempUp", "imgTempDn", S,
         "lblTemperature", "Temperature", {1665, 2745, 1080, 195}, Auto, S,
         Sel, "Temperature", "&Temperature", "diaTemp", nullptr, Std, Std, Std},
        {"Power", "PicBtnPower", {3105, 2010, 780, 600}, "imgPowerUp", "imgPowerDn", S,
         "lblPower", "Power", {3225, 2745, 540, 195}, Auto, Press::MoveRight,
         Sel, "Power", "Powe&r", "template1", "Power", Std, Std, Std},
        {"Density", "PicBtnDensity", {4440, 2010, 660, 615}, "imgDensityUp", "imgDensityDn", S,
         "lblDensity", "Density", {4440, 2760, 645, 195}, Auto, S,
         Sel, "Density", "&Density", "template1", "Density", Std, Std, Std},
        {"Volumetric Flow", "PicBtnVolumeFlow", {5610, 1965, 960, 720}, "imgVolumeFlowUp", "imgVolumeFlowDn", S,
         "lblVolumeFlow", "Volumetric Flow", {5490, 2760, 1350, 195}, Auto, S,
         Sel, "mnuVolFlow", "Volumetric &Flow", "template1", "Volumetric Flow Rate", Std, Std, Std},
        {"Bits / Bytes", "PicBtnBits", {7125, 1950, 675, 675}, "imgBitsUp", "imgBitsDn", S,
         "lblBytes", "Bits / Bytes", {6990, 2760, 1005, 195}, Auto, S,
         Sel, "BitsnBytes", "&Bits n Bytes", "template1", "Bits and Bytes", Std, Std, Std},
        {"Light", "PicBtnLight", {8385, 1950, 690, 630}, "imgLightUp", "imgLightDn", S,
         "lblLight", "Light", {8520, 2760, 465, 195}, Auto, S,
         Sel, "light", "Light", "template1", "Light", Std, Std, Std},

        {"Mass Flow Rate", "PicBtnMassFlow", {375, 3105, 855, 675}, "imgMassFlowUp", "imgMassFlowDn", S,
         "lblMassFlow", "Mass Flow Rate", {165, 3840, 1365, 195}, Auto, S,
         Sel, "mnuMassFlow", "&Mass Flow", "template1", "Mass Flow Rate", Std, Std, Std},
        {"Pressure", "PicBtnPressure", {1665, 3165, 885, 720}, "imgPressureUp", "imgPressureDn", S,
         "lblPressure", "Pressure", {1725, 3990, 750, 225}, Auto, S,
         Sel, "Pressure", "&Pressure", "template1", "Pressure", Std, Std, Std},
        {"Oil / Gas Mix", "PicBtnLawn", {3045, 3135, 765, 765}, "imgLawnUp", "imgLawnDn", S,
         "lblLawn", "Oil / Gas Mix", {2895, 4005, 1125, 195}, Auto, S,
         Sel, "mnuOilGas", "Oil / Gas Mix", "diaLawn", nullptr, Std, Std, Std},
        {"Work", "PicBtnWork", {4425, 3270, 705, 630}, "imgWorkUp", "imgWorkDn", S,
         "lblWork", "Work", {4545, 3990, 540, 225}, Auto, S,
         Sel, "Work", "Wor&k", "template1", "Work", Std, Std, Std},
        {"Angles", "PicBtnAngles", {5715, 3270, 780, 555}, "imgAnglesUp", "imgAnglesDn", S,
         "lblAngles", "Angles", {5820, 3990, 585, 195}, Auto, S,
         Sel, "Angles", "A&ngles", "template1", "Angles", Std, Std, Std},
        {"Coffee Maker", "PicBtnCoffee", {7020, 3105, 870, 720}, "imgCoffeeUp", "imgCoffeeDn", S,
         "lblCoffee", "Coffee Maker", {6885, 4005, 1155, 195}, Auto, S,
         Sel, "Coffee", "&Coffee", "diaCoffee", nullptr, Std, Std, Std},
        {"Viscosity", "PicBtnViscosity", {8430, 3180, 690, 630}, "imgViscosityUp", "imgViscosityDn", S,
         "lblViscosity", "Viscosity", {8235, 3975, 1155, 195}, Centred, S,
         Sel, "Viscosity", "Viscosity", "template1", "Viscosity", Std, Std, Std},

        {"Acceleration", "PicBtnAccel", {270, 4260, 1065, 855}, "imgAccelUp", "imgAccelDn", S,
         "lblAcceleration", "Acceleration", {300, 5190, 1080, 195}, Auto, S,
         Sel, "Acceleration", "Accel&eration", "template1", "Acceleration", Std, Std, Std},
        {"Fuel Usage", "PicBtnFuel", {1950, 4365, 690, 630}, "imgFuelUp", "imgFuelDn", S,
         "lblFuel", "Fuel Usage", {1710, 5130, 1155, 195}, Centred, S,
         Sel, "Fuel", "&Fuel", "template1", "Fuel", Std, Std, Std},

        // The custom sets' pictures open their screen before the main window
        // hides, so it stays up while the set loads. Their captions and
        // pictures come from the custom-set file on each activation.
        {"Custom set 1", "PicBtnUser1", {3120, 4350, 705, 630}, "imgUser1", nullptr, N,
         "lblUser1", "User 1", {2790, 5145, 1305, 225}, Centred, N,
         Menu::User, "mnuUser1", "User Defined &1", "diaUser1", "User1Factors", Road::ShowThenHide, Std, Std},
        {"Custom set 2", "PicBtnUser2", {4305, 4365, 705, 630}, "imgUser2", nullptr, N,
         "lblUser2", "User 2", {4065, 5160, 1305, 210}, Centred, N,
         Menu::User, "mnuUser2", "User Defined &2", "diaUser1", "User2Factors", Road::ShowThenHide, Std, Std},
        {"Custom set 3", "PicBtnUser3", {5715, 4365, 705, 630}, "imgUser3", nullptr, N,
         "lblUser3", "User 3", {5430, 5175, 1305, 195}, Centred, N,
         Menu::User, "mnuUser3", "User Defined &3", "diaUser1", "User3Factors", Road::ShowThenHide, Std, Std},
        {"Custom set 4", "PicBtnUser4", {7110, 4365, 705, 630}, "imgUser4", nullptr, N,
         "lblUser4", "User 4", {6825, 5175, 1305, 195}, Centred, N,
         Menu::User, "mnuUser4", "User Defined &4", "diaUser1", "User4Factors", Road::ShowThenHide, Std, Std},
        {"Custom set 5", "PicBtnUser5", {8460, 4365, 705, 630}, "imgUser5", nullptr, N,
         "lblUser5", "User 5", {8220, 5175, 1305, 195}, Centred, N,
         Menu::User, "mnuUser5", "User Defined &5", "diaUser1", "User5Factors", Road::ShowThenHide, Std, Std},
        {"Custom set 6", nullptr, {}, nullptr, nullptr, N,
         nullptr, nullptr, {}, Centred, N,
         Menu::User, "mnuUser6", "User Defined &6", "diaUser1", "User6Factors", Std, Std, Std},
    };
}

} // namespace

Road Entry::road(Way way) const
{
    switch (way) {
    case Way::Picture: return pictureRoad;
    case Way::Label: return labelRoad;
    case Way::MenuItem: return menuRoad;
    }
    return Road::Standard;
}

const std::vector<Entry>& entries()
{
    static const std::vector<Entry> all = buildEntries();
    return all;
}

const Entry* entryNamed(const QString& controlName)
{
    for (const Entry& e : entries())
        for (const char* name : {e.picture, e.label, e.menuItem})
            if (name && controlName == QLatin1String(name))
                return &e;
    return nullptr;
}

const std::vector<const Entry*>& selectMenu()
{
    static const std::vector<const Entry*> items = [] {
        std::vector<const Entry*> list;
        for (const char* name : {"Acceleration", "Angles", "Area", "BitsnBytes", "Coffee", "Density", "Fuel",
                                 "mnuFeetInches", "mnuImperial", "light", "Length", "mnuMassFlow", "mnuOilGas",
                                 "Power", "Pressure", "Speed", "Temperature", "Time", "Viscosity", "Volume",
                                 "mnuVolFlow", "Weight", "Work"})
            list.push_back(entryNamed(QLatin1String(name)));
        return list;
    }();
    return items;
}

template <class F>
platform::Form* formOf()
{
    return &platform::the<F>();
}

platform::Form* targetForm(const QString& target)
{
    // Every window that the main window, the unit finder or a screen opens
    // by name.
    static const std::pair<const char*, platform::Form* (*)()> forms[] = {
        {"diaLength", &formOf<diaLength>},
        {"diaVolume", &formOf<diaVolume>},
        {"diaWeight", &formOf<diaWeight>},
        {"diaVelocity", &formOf<diaVelocity>},
        {"diaTemp", &formOf<diaTemp>},
        {"diaFeet_n_Inches", &formOf<diaFeet_n_Inches>},
        {"template1", &formOf<template1>},
        {"diaUser1", &formOf<diaUser1>},
        {"diaCoffee", &formOf<diaCoffee>},
        {"diaLawn", &formOf<diaLawn>},
        {"lookup", &formOf<lookup>},
        {"frmAbout", &formOf<frmAbout>},
        {"frmOption", &formOf<frmOption>},
    };
    for (const auto& [name, form] : forms)
        if (target == QLatin1String(name))
            return form();
    return nullptr;
}

} // namespace unitmenu
