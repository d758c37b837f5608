#pragma once
// The generic category screen: one window for every category of the
// built-in catalogue. Its thirteen unit-button pairs take their names and
// sizes from the unit table that LoadCategory fills while the screen loads;
// "liter per 100 kilometer" converts as an inverse unit.
#include "core/catalogue.h"
#include "screens/conversionscreen.h"

class template1 : public ConversionScreen, public LOADDATA::CategoryView {
public:
    template1();

    // btn01_Click to btn13_Click: the pair of slot NN (1 to 13) on side
    // Index. The size is the unit table's at the moment of the click, the
    // name the caption of the from-column button.
    void btnNN_Click(int NN, int Index);

    void SetUnitAndConvert(int Index, double Factor, const QString& UnitCaption) override;
    void UnitButton_Click(int button, int Index) override;

    // What LoadCategory writes on the screen.
    void setCaption(const QString& caption) override;
    void setUnitCaption(int slot, const QString& caption) override;
    void setSlotVisible(int slot, bool visible) override;
    void setNotes(const QString& note1, const QString& note2) override;

protected:
    void ownLoadSteps() override;
    void buildOwnControls(QWidget* client) override;
    QList<QWidget*> tabOrder() const override;

    // Whether the unit last given for each side is the inverse unit; element
    // 2 belongs to the recalculation call and is never read. Kept across
    // openings: a result needs both sides chosen anew anyway.
    bool InverseUnit[3] = {false, false, false};

    QPointer<QLabel> note1, note2;

private:
    QPushButton* slotButton(int slot, int Index) const;
    void applyCategoryLook();
};
