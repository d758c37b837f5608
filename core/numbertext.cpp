#include "core/numbertext.h"

#include <cmath>

using platform::NumberError;

float StrToSng(const QString& s)
{
    return s.isEmpty() ? 0.0f : platform::textToSingle(s);
}

double StrToDbl(const QString& s)
{
    return s.isEmpty() ? 0.0 : platform::textToDouble(s);
}

namespace {

float checked(float value)
{
    if (!std::isfinite(value))
        throw NumberError(NumberError::Overflow, "overflow");
    return value;
}

float quotient(float n, float d)
{
    if (d == 0)
        throw NumberError(n == 0 ? NumberError::Overflow : NumberError::DivisionByZero, "division by zero");
    return checked(n / d);
}

// Text between two 1-based positions, both excluded; a negative length is an
// error rather than "everything" as QString::mid would have it.
QString between(const QString& s, int after, int before)
{
    const int length = before - after - 1;
    if (length < 0)
        throw NumberError(NumberError::InvalidArgument, "invalid argument");
    return s.mid(after, length);
}

// Text before a 1-based position; with no position recorded (0) the length
// would be negative, which is an error.
QString before(const QString& s, int position)
{
    return between(s, 0, position);
}

} // namespace

QString EvalFraction(QString& s)
{
    float sign = 1;
    int code = 1;
    int slash = 0;
    int separator = 0;
    // The length is read again each round, and the last character is never
    // looked at.
    for (int i = 1; i < s.size(); ++i) {
        const QChar c = s.at(i - 1);
        if (c == QLatin1Char('/')) {
            code += 2;
            slash = i;
        } else if (c == QLatin1Char('+') || c == QLatin1Char('-')) {
            if (i == 1 && c == QLatin1Char('-')) {
                sign = -1;
                s.remove(0, 1); // the character after the minus is skipped
            } else {
                code += 4;
                separator = i;
            }
        } else if (c == QLatin1Char('e') || c == QLatin1Char('E')) {
            code += 10;
        }
        if (code > 32767)
            throw NumberError(NumberError::Overflow, "overflow");
    }

    float value = 0;
    switch (code) {
    case 3: // n/d
        value = quotient(StrToSng(before(s, slash)), StrToSng(s.mid(slash)));
        break;
    case 5: // a+b, a-b: the separator only joins
        value = checked(StrToSng(before(s, separator)) + StrToSng(s.mid(separator)));
        break;
    case 7: { // w+n/d, w-n/d
        const float n = StrToSng(between(s, separator, slash));
        const float d = StrToSng(s.mid(slash));
        const float w = StrToSng(before(s, separator));
        value = checked(w + quotient(n, d));
        break;
    }
    default:
        value = StrToSng(s);
        break;
    }
    return platform::singleToText(sign * value);
}

QString FormatResult(double v)
{
    if (v >= 0.00001 && v <= 1000000)
        return platform::formatNumber(v, QStringLiteral("0.######"));
    return platform::formatNumber(v, QStringLiteral("0.0###### E+00"));
}

QString FormatResult(const QString& v)
{
    return FormatResult(platform::textToDouble(v));
}
