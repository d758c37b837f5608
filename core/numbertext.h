#pragma once
// Turning typed text into numbers and numbers into the text of a result.
// Failures are platform::NumberError, caught by the calling screen.
#include "platform/numtext.h"

#include <QString>
#include <variant>

// Text to number by the user's locale; the empty text gives 0.
float StrToSng(const QString& s);
double StrToDbl(const QString& s);

// Evaluates the typed input: a number (with exponent too), n/d, a+b or a-b
// (both add: "5-3" gives 8), w+n/d or w-n/d, optionally led by "-". Returns
// the text of the value in single precision. A leading minus is removed from
// s itself. The last character is never examined, as the screens have always
// behaved.
QString EvalFraction(QString& s);

// "0.######" for 0.00001 <= v <= 1000000, else "0.0###### E+00". A text is
// read by the user's locale first (TypeMismatch when it is no number).
QString FormatResult(double v);
QString FormatResult(const QString& v);
