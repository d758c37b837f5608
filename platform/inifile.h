#pragma once
// Our own reader and writer of Windows INI files, in place of the platform's
// GetPrivateProfileString / WritePrivateProfileString. QSettings would escape
// backslashes, read commas as lists, cut values at ";" and rewrite the whole
// layout; this one changes nothing but the one value it is asked to write.
//
// The file, as read:
// - Lines end with LF or CR LF (a file's own ending is kept when it is
//   rewritten; a new file gets LF).
// - A file has one encoding and keeps it when it is rewritten: UTF-16 (little
//   or big endian) when it begins with that byte order mark; UTF-8 (with or
//   without its mark) when the whole file is valid UTF-8; else Windows-1252,
//   the ANSI code page such files were written in (bytes that code page
//   leaves undefined stand for the same code point, as under Latin-1). Any
//   bytes decode to something; nothing is refused. New text goes into a
//   Windows-1252 file in that code page; only when it holds a character the
//   code page lacks, or when the file's bytes would then read as UTF-8, is
//   the whole file rewritten as UTF-8, so that a file never mixes two
//   encodings and every value reads back as written. A UTF-16 file whose
//   text does not decode cleanly (an odd byte, an unpaired surrogate) is
//   read, but never rewritten: its other bytes would change.
// - "[name]" (blanks around it and around name allowed, text after "]"
//   ignored) starts a section. A line whose first non-blank character is ";"
//   is a comment. "key=value" is a key of the section above it: the key is
//   the text before the first "=", the value the text after it, both without
//   the blanks (space, tab, CR, VT, FF) around them. Blank lines, lines
//   without "=", lines with an empty key and keys before any section belong
//   to no section: they are never found, and always kept.
// - Section and key names match regardless of ASCII case ("options" finds
//   "[Options]"); the names a caller passes are taken without surrounding
//   blanks, as the platform did. Only the first section of a name is used
//   (a repeated section is ignored), and in it the first line of a key.
#include <QByteArray>
#include <QHash>
#include <QList>
#include <QString>
#include <optional>
#include <utility>

namespace platform {

// At most this many characters (UTF-16 code units; a surrogate pair is never
// split) of a value are returned, as through the platform's 512-byte buffer.
constexpr int IniMaxValueLength = 511;

// A file larger than this is not read (its values read as the default) and
// never rewritten: an INI file is a few kilobytes, and a huge file at that
// path is not ours to load into memory.
constexpr qint64 IniMaxFileSize = 16 * 1024 * 1024;

// Whether a name can be written: not empty without its surrounding blanks,
// and without CR, LF or NUL. A section name also has no "]"; a key has no
// "=" and does not begin with ";" or "[" (it would read back as a comment or
// a section). Anything else would corrupt the file or never read back.
bool isValidIniSection(const QString& section);
bool isValidIniKey(const QString& key);

// The values of an INI file, read once, for many lookups.
class IniSnapshot {
public:
    IniSnapshot() = default; // an empty file
    explicit IniSnapshot(const QByteArray& content);
    // The file at path; a missing file, a path that is not a regular file (a
    // folder, a FIFO), a file that cannot be read or is larger than
    // IniMaxFileSize reads as an empty file. A save going on is waited for
    // (see SaveLock), and one that was stopped while rewriting the file in
    // place is finished first (see finishInterruptedSave).
    static IniSnapshot read(const QString& path);

    // The value of key in section: without the blanks around it; without
    // the double quotes when the value both begins and ends with one (and
    // is longer than one character; single quotes stay); cut to
    // IniMaxValueLength. A key present with an empty value gives "".
    // defaultValue, unchanged, when the section or the key is missing (or a
    // name is empty).
    QString value(const QString& section, const QString& key, const QString& defaultValue) const;

private:
    // By section, then key, both in ASCII lower case: the raw value.
    QHash<QString, QHash<QString, QString>> sections_;
};

// IniSnapshot(content).value(section, key, defaultValue).
QString iniLookup(const QByteArray& content, const QString& section, const QString& key,
                  const QString& defaultValue);

// content with key in section set to value: an existing key keeps its line
// up to its "=" and gets the new value after it; a new key goes after the
// last key of its section (right after the header when it has none); a new
// section goes at the end, after a blank line when the text before it does
// not end with one. Every other byte stays as it was (but see the encoding
// above). CR, LF and NUL in the value become blanks, so a value is always
// one line; otherwise the value is written as given, blanks and quotes
// included. std::nullopt when a name is not valid (see above), or for a
// UTF-16 file that does not decode cleanly.
using IniValues = QList<std::pair<QString, QString>>; // key, value
std::optional<QByteArray> iniUpdate(const QByteArray& content, const QString& section, const QString& key,
                                    const QString& value);
// Several keys of one section, in order: the same bytes as that many
// iniUpdate calls one after the other.
std::optional<QByteArray> iniUpdate(const QByteArray& content, const QString& section, const IniValues& values);

// IniSnapshot::read(path).value(section, key, defaultValue).
QString readIniValue(const QString& path, const QString& section, const QString& key,
                     const QString& defaultValue);

// iniUpdate on the file at path, creating it when it does not exist (its
// folder must exist). The file is replaced as a whole by
// replaceFileContent (platform/savefile.h): a failure at any point leaves
// the old file as it was. Returns whether the value was written; false for
// an invalid name, a path that exists but is not a regular file, a file that
// cannot be read or is too large or is marked read-only, and any failure to
// write. The folder stays locked from the read to the replacement, so that
// a save by another running copy is never lost.
bool writeIniValue(const QString& path, const QString& section, const QString& key, const QString& value);
// Several keys of one section in one replacement of the file: all of them
// or none are written. When nothing is written and whyNot is given, it
// receives the reason in words for the user ("it is a folder").
bool writeIniValues(const QString& path, const QString& section, const IniValues& values,
                    QString* whyNot = nullptr);

} // namespace platform
