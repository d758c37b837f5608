#include "platform/inifile.h"

#include "platform/savefile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringDecoder>
#include <QStringEncoder>
#include <algorithm>
#include <iterator>
#include <vector>

namespace platform {

namespace {

const QByteArray Utf8Bom("\xEF\xBB\xBF");

// One line of the file as it stands: its bytes and its ending ("\n",
// "\r\n" or nothing for a last line without one).
struct RawLine {
    QByteArray bytes;
    QByteArray eol;
};

std::vector<RawLine> splitLines(const QByteArray& content)
{
    std::vector<RawLine> lines;
    qsizetype start = 0;
    while (start < content.size()) {
        const qsizetype lf = content.indexOf('\n', start);
        if (lf < 0) {
            lines.push_back({content.mid(start), QByteArray()});
            break;
        }
        qsizetype end = lf;
        if (end > start && content.at(end - 1) == '\r')
            --end;
        lines.push_back({content.mid(start, end - start), content.mid(end, lf + 1 - end)});
        start = lf + 1;
    }
    return lines;
}

QByteArray joinLines(const std::vector<RawLine>& lines)
{
    QByteArray out;
    for (const RawLine& line : lines)
        out += line.bytes + line.eol;
    return out;
}

// Windows-1252 for 0x80 to 0x9F; the five bytes it leaves undefined keep
// their own code point. Every other byte is its Latin-1 code point.
constexpr char16_t Cp1252High[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

QString decodeCp1252(const QByteArray& bytes)
{
    QString out;
    out.reserve(bytes.size());
    for (const char c : bytes) {
        const auto b = static_cast<unsigned char>(c);
        out += (b >= 0x80 && b <= 0x9F) ? QChar(Cp1252High[b - 0x80]) : QChar(char16_t(b));
    }
    return out;
}

// The text in Windows-1252; nothing when a character has no byte there.
std::optional<QByteArray> encodeCp1252(const QString& text)
{
    QByteArray out;
    out.reserve(text.size());
    for (const QChar c : text) {
        const char16_t u = c.unicode();
        if (u < 0x80 || (u >= 0xA0 && u <= 0xFF)) {
            out += char(u);
            continue;
        }
        const auto* at = std::find(std::begin(Cp1252High), std::end(Cp1252High), u);
        if (at == std::end(Cp1252High))
            return std::nullopt;
        out += char(0x80 + (at - std::begin(Cp1252High)));
    }
    return out;
}

bool isUtf8(const QByteArray& bytes)
{
    QStringDecoder utf8(QStringDecoder::Utf8,
                        QStringDecoder::Flag::Stateless | QStringDecoder::Flag::ConvertInitialBom);
    const QString text = utf8.decode(bytes); // decoding happens on conversion
    (void)text;
    return !utf8.hasError();
}

// A file's text as UTF-8, with what it takes to write it back as it was.
struct FileText {
    enum Encoding { Utf8, Utf16LE, Utf16BE, Cp1252 };
    Encoding encoding = Utf8;
    QByteArray mark; // the byte order mark it began with, if any
    QByteArray utf8;
    // UTF-16 with an odd byte or an unpaired surrogate: its text cannot be
    // written back as it was.
    bool lossy = false;
};

const QByteArray Utf16LEMark("\xFF\xFE");
const QByteArray Utf16BEMark("\xFE\xFF");

FileText decodeFile(const QByteArray& content)
{
    FileText f;
    auto utf16 = [&](FileText::Encoding e, QStringDecoder::Encoding codec) {
        f.encoding = e;
        f.mark = content.left(2);
        QStringDecoder decoder(codec, QStringDecoder::Flag::Stateless | QStringDecoder::Flag::ConvertInitialBom);
        const QString text = decoder.decode(content.mid(2));
        f.lossy = content.size() % 2 != 0 || !text.isValidUtf16();
        f.utf8 = text.toUtf8();
        return f;
    };
    if (content.startsWith(Utf16LEMark))
        return utf16(FileText::Utf16LE, QStringDecoder::Utf16LE);
    if (content.startsWith(Utf16BEMark))
        return utf16(FileText::Utf16BE, QStringDecoder::Utf16BE);
    if (content.startsWith(Utf8Bom))
        f.mark = Utf8Bom;
    const QByteArray body = content.mid(f.mark.size());
    if (isUtf8(body)) {
        f.utf8 = body;
    } else {
        f.encoding = FileText::Cp1252;
        f.utf8 = decodeCp1252(body).toUtf8();
    }
    return f;
}

// The new text (UTF-8) in the file's own encoding.
QByteArray encodeFile(const FileText& f, const QByteArray& utf8)
{
    switch (f.encoding) {
    case FileText::Utf8:
        return f.mark + utf8;
    case FileText::Utf16LE:
    case FileText::Utf16BE: {
        QStringEncoder encoder(f.encoding == FileText::Utf16LE ? QStringEncoder::Utf16LE : QStringEncoder::Utf16BE,
                               QStringEncoder::Flag::Stateless);
        return f.mark + QByteArray(encoder.encode(QString::fromUtf8(utf8)));
    }
    case FileText::Cp1252:
        // Bytes that would read back as UTF-8 (the text changed) go as
        // UTF-8 whole, as does a character the code page lacks.
        if (const std::optional<QByteArray> bytes = encodeCp1252(QString::fromUtf8(utf8));
            bytes && !(isUtf8(*bytes) && *bytes != utf8))
            return f.mark + *bytes;
        return f.mark + utf8;
    }
    return utf8;
}

bool isBlank(QChar c)
{
    const char16_t u = c.unicode();
    return u == u' ' || u == u'\t' || u == u'\r' || u == u'\v' || u == u'\f';
}

// Without the ASCII blanks around it. QString::trimmed would also take
// Unicode spaces such as U+00A0, which the platform kept.
QString trimBlanks(const QString& s)
{
    qsizetype begin = 0;
    qsizetype end = s.size();
    while (begin < end && isBlank(s.at(begin)))
        ++begin;
    while (end > begin && isBlank(s.at(end - 1)))
        --end;
    return s.mid(begin, end - begin);
}

char16_t asciiLower(char16_t c)
{
    return (c >= u'A' && c <= u'Z') ? char16_t(c + (u'a' - u'A')) : c;
}

QString asciiLowerString(const QString& s)
{
    QString out = s;
    for (QChar& c : out)
        c = QChar(asciiLower(c.unicode()));
    return out;
}

bool sameName(const QString& a, const QString& b)
{
    if (a.size() != b.size())
        return false;
    for (qsizetype i = 0; i < a.size(); ++i) {
        if (asciiLower(a.at(i).unicode()) != asciiLower(b.at(i).unicode()))
            return false;
    }
    return true;
}

// What a line is, once decoded.
struct Line {
    enum Kind { Other, Section, Key };
    Kind kind = Other;
    QString name;  // section or key name, without blanks around it
    QString value; // a key's value, without blanks around it
};

Line classify(const RawLine& raw)
{
    const QString text = trimBlanks(QString::fromUtf8(raw.bytes));
    Line line;
    if (text.isEmpty() || text.startsWith(u';'))
        return line;
    if (text.startsWith(u'[')) {
        const qsizetype close = text.indexOf(u']');
        if (close > 0) {
            line.kind = Line::Section;
            line.name = trimBlanks(text.mid(1, close - 1));
        }
        return line;
    }
    const qsizetype eq = text.indexOf(u'=');
    if (eq < 0)
        return line;
    line.name = trimBlanks(text.left(eq));
    if (line.name.isEmpty())
        return line;
    line.kind = Line::Key;
    line.value = trimBlanks(text.mid(eq + 1));
    return line;
}

// Where a key stands in the file: the line of its section's header (-1 when
// the section is missing), the line of the key (-1 when missing) and the
// line after which a new key of the section goes.
struct Place {
    qsizetype section = -1;
    qsizetype key = -1;
    qsizetype lastOfSection = -1;
    QString value;
};

Place locate(const std::vector<RawLine>& raw, const QString& section, const QString& key)
{
    Place place;
    bool inSection = false;
    for (size_t i = 0; i < raw.size(); ++i) {
        const Line line = classify(raw[i]);
        if (line.kind == Line::Section) {
            if (inSection)
                break; // the end of the first section of that name
            if (sameName(line.name, section)) {
                inSection = true;
                place.section = place.lastOfSection = qsizetype(i);
            }
        } else if (inSection && line.kind == Line::Key) {
            place.lastOfSection = qsizetype(i);
            if (place.key < 0 && sameName(line.name, key)) {
                place.key = qsizetype(i);
                place.value = line.value;
            }
        }
    }
    return place;
}

bool validName(const QString& name)
{
    const QString trimmed = trimBlanks(name);
    if (trimmed.isEmpty())
        return false;
    for (const QChar c : trimmed) {
        if (c == u'\r' || c == u'\n' || c == u'\0')
            return false;
    }
    return true;
}

// The value as one line: CR, LF and NUL become blanks.
QString oneLine(const QString& value)
{
    QString out = value;
    for (QChar& c : out) {
        if (c == u'\r' || c == u'\n' || c == u'\0')
            c = u' ';
    }
    return out;
}

// The file's line ending: that of its first line that has one; LF for a
// file without any.
QByteArray fileEol(const std::vector<RawLine>& lines)
{
    for (const RawLine& line : lines) {
        if (!line.eol.isEmpty())
            return line.eol;
    }
    return QByteArrayLiteral("\n");
}

bool isBlankLine(const RawLine& line)
{
    for (const char c : line.bytes) {
        if (!isBlank(QChar(char16_t(static_cast<unsigned char>(c)))))
            return false;
    }
    return true;
}

bool refuse(QString* whyNot, const QString& reason)
{
    if (whyNot)
        *whyNot = reason;
    return false;
}

// Reads a regular file of at most IniMaxFileSize bytes; whyNot, when given,
// receives the reason it could not.
std::optional<QByteArray> readRegularFile(const QFileInfo& info, QString* whyNot = nullptr)
{
    const QString tooLarge = QStringLiteral("it is larger than %1 MB, the most an INI file may have")
                                 .arg(IniMaxFileSize / (1024 * 1024));
    if (info.isDir())
        return refuse(whyNot, QStringLiteral("it is a folder")), std::nullopt;
    if (!info.isFile())
        return refuse(whyNot, QStringLiteral("it is not a regular file")), std::nullopt;
    if (info.size() > IniMaxFileSize)
        return refuse(whyNot, tooLarge), std::nullopt;
    QFile file(info.filePath());
    if (!file.open(QIODevice::ReadOnly))
        return refuse(whyNot, QStringLiteral("it cannot be read (%1)").arg(file.errorString())), std::nullopt;
    QByteArray content = file.read(IniMaxFileSize + 1);
    if (file.error() != QFileDevice::NoError)
        return refuse(whyNot, QStringLiteral("it cannot be read (%1)").arg(file.errorString())), std::nullopt;
    if (content.size() > IniMaxFileSize)
        return refuse(whyNot, tooLarge), std::nullopt;
    return content;
}

// How long a reader waits for a save to finish, and a save for another.
constexpr int ReadWaitMs = 2000;
constexpr int SaveWaitMs = 10000;

} // namespace

bool isValidIniSection(const QString& section)
{
    return validName(section) && !section.contains(u']');
}

bool isValidIniKey(const QString& key)
{
    if (!validName(key) || key.contains(u'='))
        return false;
    const QString trimmed = trimBlanks(key);
    return !trimmed.startsWith(u';') && !trimmed.startsWith(u'[');
}

IniSnapshot::IniSnapshot(const QByteArray& content)
{
    QHash<QString, QString>* current = nullptr; // null: keys not kept
    for (const RawLine& raw : splitLines(decodeFile(content).utf8)) {
        const Line line = classify(raw);
        if (line.kind == Line::Section) {
            // Only the first section of a name counts.
            const QString name = asciiLowerString(line.name);
            current = sections_.contains(name) ? nullptr : &sections_[name];
        } else if (line.kind == Line::Key && current) {
            const QString name = asciiLowerString(line.name);
            if (!current->contains(name))
                current->insert(name, line.value);
        }
    }
}

IniSnapshot IniSnapshot::read(const QString& path)
{
    if (path.isEmpty())
        return {};
    // Never a file half rewritten: a save going on is waited for, one that
    // was stopped is finished first.
    const bool interrupted = hasInterruptedSave(path);
    const SaveLock lock(path, interrupted ? SaveLock::Exclusive : SaveLock::Shared, ReadWaitMs);
    if (interrupted && !lock.timedOut())
        finishInterruptedSave(path);
    const std::optional<QByteArray> content = readRegularFile(QFileInfo(path));
    return content ? IniSnapshot(*content) : IniSnapshot();
}

QString IniSnapshot::value(const QString& section, const QString& key, const QString& defaultValue) const
{
    const QString sectionName = asciiLowerString(trimBlanks(section));
    const QString keyName = asciiLowerString(trimBlanks(key));
    if (sectionName.isEmpty() || keyName.isEmpty())
        return defaultValue;
    const auto s = sections_.constFind(sectionName);
    if (s == sections_.constEnd())
        return defaultValue;
    const auto k = s->constFind(keyName);
    if (k == s->constEnd())
        return defaultValue;
    QString value = *k;
    if (value.size() >= 2 && value.front() == u'"' && value.back() == u'"')
        value = value.mid(1, value.size() - 2);
    if (value.size() > IniMaxValueLength) {
        qsizetype length = IniMaxValueLength;
        if (value.at(length - 1).isHighSurrogate() && value.at(length).isLowSurrogate())
            --length;
        value.truncate(length);
    }
    return value;
}

QString iniLookup(const QByteArray& content, const QString& section, const QString& key,
                  const QString& defaultValue)
{
    return IniSnapshot(content).value(section, key, defaultValue);
}

namespace {

// One key set in UTF-8 text; the names are valid.
QByteArray updateText(const QByteArray& content, const QString& section, const QString& key, const QString& value)
{
    const QString sectionName = trimBlanks(section);
    const QString keyName = trimBlanks(key);
    const QByteArray valueBytes = oneLine(value).toUtf8();

    std::vector<RawLine> lines = splitLines(content);
    const QByteArray eol = fileEol(lines);
    const Place place = locate(lines, sectionName, keyName);

    if (place.key >= 0) {
        // In place: the line up to its "=" as it was, then the new value.
        RawLine& line = lines[size_t(place.key)];
        line.bytes = line.bytes.left(line.bytes.indexOf('=') + 1) + valueBytes;
        return joinLines(lines);
    }

    const QByteArray keyLine = keyName.toUtf8() + '=' + valueBytes;
    if (place.section >= 0) {
        RawLine& before = lines[size_t(place.lastOfSection)];
        if (before.eol.isEmpty())
            before.eol = eol;
        lines.insert(lines.begin() + place.lastOfSection + 1, RawLine{keyLine, eol});
        return joinLines(lines);
    }

    if (!lines.empty()) {
        if (lines.back().eol.isEmpty())
            lines.back().eol = eol;
        if (!isBlankLine(lines.back()))
            lines.push_back({QByteArray(), eol});
    }
    lines.push_back({'[' + sectionName.toUtf8() + ']', eol});
    lines.push_back({keyLine, eol});
    return joinLines(lines);
}

} // namespace

std::optional<QByteArray> iniUpdate(const QByteArray& content, const QString& section, const IniValues& values)
{
    if (!isValidIniSection(section))
        return std::nullopt;
    for (const auto& [key, value] : values)
        if (!isValidIniKey(key))
            return std::nullopt;
    const FileText file = decodeFile(content);
    if (file.lossy)
        return std::nullopt;
    QByteArray text = file.utf8;
    for (const auto& [key, value] : values)
        text = updateText(text, section, key, value);
    return encodeFile(file, text);
}

std::optional<QByteArray> iniUpdate(const QByteArray& content, const QString& section, const QString& key,
                                    const QString& value)
{
    return iniUpdate(content, section, IniValues{{key, value}});
}

QString readIniValue(const QString& path, const QString& section, const QString& key,
                     const QString& defaultValue)
{
    return IniSnapshot::read(path).value(section, key, defaultValue);
}

bool writeIniValues(const QString& path, const QString& section, const IniValues& values, QString* whyNot)
{
    if (path.isEmpty())
        return refuse(whyNot, QStringLiteral("no file was named"));
    // From the read to the replacement, no other save comes between: each
    // lands on top of the one before.
    if (const QFileInfo link(path); link.isSymLink() && !link.exists())
        return refuse(whyNot, QStringLiteral("it is a link to nothing")); // not ours to replace by a file
    if (!QFileInfo(path).absoluteDir().exists())
        return refuse(whyNot, QStringLiteral("its folder does not exist"));
    const SaveLock lock(path, SaveLock::Exclusive, SaveWaitMs);
    if (lock.timedOut())
        return refuse(whyNot, QStringLiteral("another program kept it locked"));
    // A save on top of a file left torn would keep the tear for good.
    if (!finishInterruptedSave(path))
        return refuse(whyNot, QStringLiteral("an earlier save to it could not be finished"));
    const QFileInfo info(path);
    QByteArray content;
    if (info.exists()) {
        // Never replace what we could not read: its content would be lost.
        const std::optional<QByteArray> old = readRegularFile(info, whyNot);
        if (!old)
            return false;
        content = *old;
    }
    const std::optional<QByteArray> updated = iniUpdate(content, section, values);
    if (!updated)
        return refuse(whyNot, decodeFile(content).lossy ? QStringLiteral("its UTF-16 text does not decode cleanly")
                                                        : QStringLiteral("a name cannot be written to an INI file"));
    return replaceFileContent(path, *updated, whyNot);
}

bool writeIniValue(const QString& path, const QString& section, const QString& key, const QString& value)
{
    return writeIniValues(path, section, IniValues{{key, value}});
}

} // namespace platform
