#pragma once
// The built-in catalogue of the fifteen generic categories, and the loading
// of one of them into the unit table and onto the generic screen.
#include <QString>
#include <array>
#include <vector>

namespace LOADDATA {

// One generic category as built in. Index 0 of the arrays is slot 1 of the
// unit table. An empty slot has the empty name and factor 1; a divider (a
// run of "=") is an ordinary slot of factor 1 between two families of units
// that must not be converted into each other.
struct CatalogueCategory {
    QString name;
    std::array<QString, 13> units;
    std::array<double, 13> factors;
    QString note1;
    QString note2;
};

// All fifteen categories, in the order in which names are matched.
const std::vector<CatalogueCategory>& catalogue();

// The category of exactly this name (case and blanks count), or null.
const CatalogueCategory* findCategory(const QString& name);

// What LoadCategory writes on the generic screen. A slot's caption and
// visibility apply to both of its buttons, "Convert from:" and "Convert to:".
struct CategoryView {
    virtual ~CategoryView() = default;
    virtual void setCaption(const QString& caption) = 0;
    virtual void setUnitCaption(int slot, const QString& caption) = 0;
    virtual void setSlotVisible(int slot, bool visible) = 0;
    virtual void setNotes(const QString& note1, const QString& note2) = 0;
};

// Fills UnitName, UnitFactor and the two notes for CategoryName and shows
// them on the view (none: only the table is filled). An unknown name keeps
// the unit table as it was and clears the notes; the view then shows that
// name as its caption over whatever the table held.
void LoadCategory(CategoryView* view);

} // namespace LOADDATA
