#pragma once
// The look of designed controls: colours written &H00BBGGRR and the
// designed fonts.
#include <QColor>
#include <QFont>

class QPushButton;
class QString;
class QWidget;

namespace platform {

// System colours, as designs name them.
constexpr unsigned vbWindowBackground = 0x80000005u;
constexpr unsigned vbWindowText = 0x80000008u;
constexpr unsigned vbButtonFace = 0x8000000Fu;

// A designed colour: &H00BBGGRR, or one of the system colours above.
QColor vbColor(unsigned value);

// The designed face "MS Sans Serif" at a point size; the system picks the
// nearest face it has.
QFont vbFont(double points, bool bold = false);

// Paints a widget's background in a designed colour.
void setBackColor(QWidget* w, unsigned value);

// A command button with its control name and caption at its designed place
// in twips. Enter chooses it while it has the focus, as Space does; it is
// never a default button, so Enter in a text box does not click it.
QPushButton* commandButton(QWidget* parent, const QString& name, const QString& caption, int left, int top,
                           int width, int height);

} // namespace platform
