#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

// An INI ("profile") file, read and written one value at a time with no cache: every read parses
// the file, every write rewrites it through a temporary file and a rename, so a failed write
// leaves the old file whole and a reader never sees half a file. Names match case-insensitively
// and without the blanks around them, both in the file and as asked for; the first matching
// section and the first matching key win. The lines before the first header form the section "";
// a line "[" without its "]" is no header, and a header "[]" starts a section nobody can name.
// Bytes are kept as they are: values are neither decoded nor encoded.
class Profile {
public:
    // Reads a signed integer from a value's text, giving the default for any other text.
    using IntegerRule = int (*)(const QString &text, int defaultValue);

    struct Entry {
        QByteArray section;
        QByteArray key;
        QByteArray value;
    };

    explicit Profile(const QString &path);

    QString path() const { return m_path; }

    // The value trimmed of blanks and tabs, without one pair of enclosing quotes, ended by a NUL.
    // A key present with an empty value reads ""; a missing key, section or file the default.
    QByteArray readString(const QByteArray &section, const QByteArray &key,
                          const QByteArray &defaultValue) const;
    // The value read by the given rule (its text as Latin-1); the default when the key is missing.
    int readInteger(const QByteArray &section, const QByteArray &key, int defaultValue,
                    IntegerRule rule) const;
    // Section names in file order, duplicates included; "" is not listed.
    QList<QByteArray> readSectionNames() const;

    // Replaces the key's line in place, or adds it after the last non-blank line of its section,
    // or appends the section; creates a missing file. Throws ProfileWriteError on failure, and
    // for CR or LF in the section, key or value.
    void writeString(const QByteArray &section, const QByteArray &key, const QByteArray &value);
    // Writes the entries in order as writeString does, in one rewrite of the file: all of them
    // or, on failure, none.
    void writeStrings(const QList<Entry> &entries);
    // Removes the first matching section, its header and every line up to the next header.
    void eraseSection(const QByteArray &section);
    // Makes the writes made so far durable: syncs the file and its folder to disk.
    void flush();

private:
    QString m_path;
};
