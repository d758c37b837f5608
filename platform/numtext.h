#pragma once
// Number text by the user's locale (QLocale's default): reading typed
// numbers, the standard text of a single and a double, and formatting by a
// mask. Only the locale's decimal separator differs between locales: no
// digit grouping is read or written.
#include <QString>
#include <stdexcept>

namespace platform {

// A failure of number text or arithmetic, as the callers catch it.
class NumberError : public std::runtime_error {
public:
    enum Kind { TypeMismatch, Overflow, DivisionByZero, InvalidArgument };
    NumberError(Kind kind, const char* what) : std::runtime_error(what), kind_(kind) {}
    Kind kind() const { return kind_; }

private:
    Kind kind_;
};

// Reads a number: optional blanks around it, an optional sign, digits with
// the locale's decimal separator, an optional exponent (e or E, optional
// sign, digits). Anything else, the empty text included, is TypeMismatch;
// a value beyond the double range is Overflow. Never returns inf or nan.
double textToDouble(const QString& text);
// As textToDouble, then rounded to single precision; Overflow beyond it.
float textToSingle(const QString& text);

// The standard text of a number: at most 7 (single) or 15 (double)
// significant digits, no trailing zeros, the locale's decimal separator, a
// leading "-", exponent form (1.234568E+08, 1E-05) for very large or small
// magnitudes.
QString singleToText(float value);
QString doubleToText(double value);
// The text of a double as doubleToText gives it, with "." as the decimal
// point whatever the locale. Where 15 digits round beyond the double range
// (the largest double would become 1.79769313486232E+308, which reads back
// as no number), the shortest text that reads back as the same double
// instead: at most 17 digits.
QString doubleToPlainText(double value);

// Formats by a mask: "0" a digit always written, "#" a digit written only
// when significant, "." the locale's decimal separator (always written),
// "E+00"/"E-00" an exponent (sign always / only when negative, at least as
// many digits as "0"s), any other character written unchanged. Rounds to the
// last digit place written; a carry moves into the exponent.
QString formatNumber(double value, const QString& mask);

} // namespace platform
