#include "platform/numtext.h"

#include <QLocale>
#include <charconv>
#include <cfloat>
#include <cmath>
#include <string>

namespace platform {

namespace {

[[noreturn]] void mismatch()
{
    throw NumberError(NumberError::TypeMismatch, "type mismatch");
}

[[noreturn]] void overflow()
{
    throw NumberError(NumberError::Overflow, "overflow");
}

QString decimalPoint()
{
    return QLocale().decimalPoint();
}

// Rewrites the locale's text of a number into plain ASCII ("-12.5e3"), or
// fails when a character has no place in a number. The group separator is
// refused on purpose: under de_DE "1.875" would otherwise be read as 1875.
std::string toAscii(const QString& text)
{
    const QLocale loc;
    const QString point = loc.decimalPoint();
    const QString minus = loc.negativeSign();
    const QString plus = loc.positiveSign();
    std::string out;
    out.reserve(size_t(text.size()));
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c >= QLatin1Char('0') && c <= QLatin1Char('9'))
            out += char(c.unicode());
        else if (text.mid(i, point.size()) == point) {
            out += '.';
            i += point.size() - 1;
        } else if (c == QLatin1Char('-') || c == QChar(0x2212) || QString(c) == minus)
            out += '-';
        else if (c == QLatin1Char('+') || QString(c) == plus)
            out += '+';
        else if (c == QLatin1Char('e') || c == QLatin1Char('E'))
            out += 'e';
        else
            mismatch();
    }
    return out;
}

// [+-] digits [. digits] [e [+-] digits], with at least one mantissa digit.
bool wellFormed(const std::string& s)
{
    size_t i = 0;
    if (i < s.size() && (s[i] == '+' || s[i] == '-'))
        ++i;
    size_t digits = 0;
    while (i < s.size() && std::isdigit(static_cast<unsigned char>(s[i])))
        ++i, ++digits;
    if (i < s.size() && s[i] == '.') {
        ++i;
        while (i < s.size() && std::isdigit(static_cast<unsigned char>(s[i])))
            ++i, ++digits;
    }
    if (digits == 0)
        return false;
    if (i < s.size() && s[i] == 'e') {
        ++i;
        if (i < s.size() && (s[i] == '+' || s[i] == '-'))
            ++i;
        size_t expDigits = 0;
        while (i < s.size() && std::isdigit(static_cast<unsigned char>(s[i])))
            ++i, ++expDigits;
        if (expDigits == 0)
            return false;
    }
    return i == s.size();
}

// For a number too large or too small for a double: is it too large?
bool beyondRange(const std::string& s)
{
    const size_t e = s.find('e');
    const std::string mantissa = s.substr(0, e);
    long long exponent = 0;
    if (e != std::string::npos) {
        const std::string ex = s.substr(e + 1);
        const char* first = ex.data() + (!ex.empty() && ex[0] == '+' ? 1 : 0);
        auto [ptr, ec] = std::from_chars(first, ex.data() + ex.size(), exponent);
        if (ec == std::errc::result_out_of_range)
            return ex[0] != '-';
        (void)ptr;
    }
    // Decimal magnitude of the mantissa: digits before its point, less the
    // zeros after the point when there are none before it.
    const size_t point = mantissa.find('.');
    const std::string whole = mantissa.substr(0, point);
    long long magnitude = 0;
    const size_t firstNonZero = whole.find_first_not_of("+-0");
    if (firstNonZero != std::string::npos)
        magnitude = static_cast<long long>(whole.size() - firstNonZero);
    else if (point != std::string::npos) {
        const std::string frac = mantissa.substr(point + 1);
        const size_t nz = frac.find_first_not_of('0');
        if (nz == std::string::npos)
            return false; // zero
        magnitude = -static_cast<long long>(nz);
    }
    // The exponent may lie anywhere in the 64-bit range, so it is compared
    // rather than added: the sum could overflow.
    return exponent > -magnitude;
}

QString withLocalePoint(QString text)
{
    return text.replace(QLatin1Char('.'), decimalPoint());
}

// Digits of |value| by a fixed or scientific precision, correctly rounded.
std::string digitsOf(double value, std::chars_format format, int precision)
{
    char buf[400];
    auto [ptr, ec] = std::to_chars(buf, buf + sizeof buf, std::fabs(value), format, precision);
    if (ec != std::errc())
        overflow();
    return std::string(buf, ptr);
}

bool isPlace(QChar c)
{
    return c == QLatin1Char('0') || c == QLatin1Char('#');
}

struct Section {
    QString mask;
    int places = 0; // digit places
    int zeros = 0;  // digit places written always
};

Section section(const QString& mask)
{
    Section s{mask, 0, 0};
    for (QChar c : mask) {
        if (isPlace(c))
            ++s.places;
        if (c == QLatin1Char('0'))
            ++s.zeros;
    }
    return s;
}

// Writes the whole-number digits into the places of the mask, right-aligned;
// digits beyond the places go where the first place stands.
QString fillWhole(const Section& sec, const std::string& digits)
{
    QString out;
    const int extra = int(digits.size()) - sec.places;
    int place = 0;
    for (QChar c : sec.mask) {
        if (!isPlace(c)) {
            out += c;
            continue;
        }
        if (place == 0 && extra > 0)
            out += QString::fromLatin1(digits.data(), extra);
        const int index = place - (sec.places - int(digits.size()));
        if (index >= 0)
            out += QLatin1Char(digits[size_t(index)]);
        else if (c == QLatin1Char('0'))
            out += QLatin1Char('0');
        ++place;
    }
    return out;
}

QString fillFraction(const Section& sec, const std::string& digits)
{
    QString out;
    size_t next = 0;
    for (QChar c : sec.mask) {
        if (!isPlace(c))
            out += c;
        else if (next < digits.size())
            out += QLatin1Char(digits[next++]);
    }
    return out;
}

// Drops trailing zeros that no "0" place asks for, and a whole part that is
// a lone zero where no "0" place asks for it.
void trim(std::string& whole, std::string& frac, const Section& w, const Section& f)
{
    while (int(frac.size()) > f.zeros && !frac.empty() && frac.back() == '0')
        frac.pop_back();
    while (!whole.empty() && whole.front() == '0' && whole.size() > 1)
        whole.erase(0, 1);
    if (whole == "0" && w.zeros == 0)
        whole.clear();
}

} // namespace

double textToDouble(const QString& text)
{
    const QString trimmed = text.trimmed();
    if (trimmed.isEmpty())
        mismatch();
    const std::string ascii = toAscii(trimmed);
    if (!wellFormed(ascii))
        mismatch();
    const char* first = ascii.data() + (ascii[0] == '+' ? 1 : 0);
    double value = 0;
    auto [ptr, ec] = std::from_chars(first, ascii.data() + ascii.size(), value);
    if (ec == std::errc::result_out_of_range) {
        if (beyondRange(ascii))
            overflow();
        return 0.0; // too small to tell from zero
    }
    if (ec != std::errc() || ptr != ascii.data() + ascii.size() || !std::isfinite(value))
        mismatch();
    return value;
}

float textToSingle(const QString& text)
{
    const double value = textToDouble(text);
    if (std::fabs(value) > double(FLT_MAX))
        overflow();
    return static_cast<float>(value);
}

QString singleToText(float value)
{
    if (value == 0)
        return QStringLiteral("0");
    return withLocalePoint(QString::number(double(value), 'G', 7));
}

QString doubleToText(double value)
{
    return withLocalePoint(doubleToPlainText(value));
}

QString doubleToPlainText(double value)
{
    if (value == 0)
        return QStringLiteral("0");
    const QByteArray digits = QString::number(value, 'G', 15).toLatin1();
    double back = 0;
    if (std::from_chars(digits.constData(), digits.constData() + digits.size(), back).ec == std::errc())
        return QString::fromLatin1(digits);
    char shortest[32];
    const auto end = std::to_chars(shortest, shortest + sizeof shortest, value, std::chars_format::scientific).ptr;
    return QString::fromLatin1(shortest, end - shortest).toUpper();
}

QString formatNumber(double value, const QString& mask)
{
    if (!std::isfinite(value))
        overflow();

    // Split the mask: mantissa (whole and fraction) and exponent.
    qsizetype expAt = -1;
    for (qsizetype i = 0; i + 1 < mask.size(); ++i) {
        const QChar c = mask.at(i), n = mask.at(i + 1);
        if ((c == QLatin1Char('E') || c == QLatin1Char('e')) && (n == QLatin1Char('+') || n == QLatin1Char('-'))) {
            expAt = i;
            break;
        }
    }
    const QString mantissa = expAt < 0 ? mask : mask.left(expAt);
    const qsizetype pointAt = mantissa.indexOf(QLatin1Char('.'));
    const Section whole = section(pointAt < 0 ? mantissa : mantissa.left(pointAt));
    const Section frac = section(pointAt < 0 ? QString() : mantissa.mid(pointAt + 1));

    std::string wholeDigits, fracDigits;
    int exponent = 0;
    if (expAt < 0) {
        const std::string d = digitsOf(value, std::chars_format::fixed, frac.places);
        const size_t dot = d.find('.');
        wholeDigits = d.substr(0, dot);
        fracDigits = dot == std::string::npos ? std::string() : d.substr(dot + 1);
    } else {
        // As many digits before the point as the mask has places there; the
        // rounding may carry into the exponent (9.99 -> 1.0 E+01).
        const int lead = std::max(1, whole.places);
        const std::string d = digitsOf(value, std::chars_format::scientific, lead - 1 + frac.places);
        const size_t e = d.find('e');
        std::string digits;
        for (size_t i = 0; i < e; ++i)
            if (d[i] != '.')
                digits += d[i];
        exponent = std::stoi(d.substr(e + 1)) - (lead - 1);
        if (value == 0)
            exponent = 0;
        wholeDigits = digits.substr(0, size_t(lead));
        fracDigits = digits.substr(size_t(lead));
    }
    trim(wholeDigits, fracDigits, whole, frac);

    QString out = fillWhole(whole, wholeDigits);
    if (pointAt >= 0)
        out += decimalPoint() + fillFraction(frac, fracDigits);

    if (expAt >= 0) {
        const QString expMask = mask.mid(expAt);
        out += expMask.at(0);
        const bool alwaysSign = expMask.at(1) == QLatin1Char('+');
        if (exponent < 0)
            out += QLatin1Char('-');
        else if (alwaysSign)
            out += QLatin1Char('+');
        qsizetype i = 2;
        int places = 0, zeros = 0;
        while (i < expMask.size() && isPlace(expMask.at(i))) {
            places++;
            if (expMask.at(i) == QLatin1Char('0'))
                zeros++;
            ++i;
        }
        (void)places;
        out += QString::number(std::abs(exponent)).rightJustified(zeros, QLatin1Char('0'));
        out += expMask.mid(i);
    }

    const bool anyDigit = (wholeDigits + fracDigits).find_first_not_of('0') != std::string::npos;
    if (value < 0 && anyDigit)
        out.prepend(QLatin1Char('-'));
    return out;
}

} // namespace platform
