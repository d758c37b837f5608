#pragma once
// A custom unit set: twelve units that the user names and sizes, kept in a
// section of user.dat. The screen converts between them as every
// conversion screen does, and its edit panel revises the set, saves it or
// throws the changes away.
#include "screens/conversionscreen.h"

#include <QPlainTextEdit>
#include <optional>

class QFrame;

class diaUser1 : public ConversionScreen {
public:
    diaUser1();

    // Fills the caption, the boxes and the unit buttons from the set's
    // section of the file (the defaults where the file has nothing).
    void LoadCustomSet();
    // Writes the set's 26 keys in one replacement of the file; whether they
    // were written (whyNot, when given, receives the reason they were not).
    bool SaveCustomSet(QString* whyNot = nullptr);

    // btn01_Click to btn12_Click: unit NN (1 to 12) on side Index, with the
    // factor its box holds at the moment of the click.
    void btnNN_Click(int NN, int Index);
    void UnitButton_Click(int button, int Index) override;

    void mnuReviseCustom_Click();
    void mnuSaveCustom_Click();
    void mnuChanges_Click();
    void cmdBrowse_Click();

    // The section of the set on the screen, fixed when the screen loads: a
    // later change of the current category (the unit finder opening another
    // screen) never sends this set elsewhere.
    const QString& section() const { return Section; }

    // A factor as typed or stored: the "." form of the file or the user's
    // decimal separator, no digit grouping, blanks around it allowed; the
    // empty text, and a number too small for a double, is 0. Nothing when
    // the text is not a number in full, or one beyond the double range.
    static std::optional<double> readFactor(const QString& text);
    // A factor as the file stores it: a blank (or "-"), "." as the decimal
    // point, 15 significant digits (17 where 15 would not read back), no
    // trailing zeros.
    static QString fileNumber(double value);

protected:
    void ownLoadSteps() override;
    void buildOwnControls(QWidget* client) override;
    void build(QMainWindow* window) override;

private:
    // After Exponential: a separator and the "&User Customize" sub-menu.
    void addCustomizeItems(QMenu* options);
    void setRevising(bool revising);
    void captionButtons(); // from the name boxes
    // The window caption holds the table name.
    void setCaption(const QString& tableName);
    QString caption() const;

    QString Section;
    // The table name as read or saved, exactly: the title the window shows
    // cannot hold every name as it is (see setCaption).
    QString TableName;

    QPointer<QFrame> helpbox;
    QPointer<QLineEdit> txtUser[13], factorUser[13]; // 1 to 12
    QPointer<QLineEdit> txtTableName, txtImageName;
    QPointer<QPlainTextEdit> txtHints1, txtHints2, txtHints3;
    QPointer<QPushButton> cmdBrowse;
    QPointer<QAction> mnuReviseCustom, mnuSaveCustom, mnuChanges;
};
