#include "platform/profile.h"

#include "platform/profilewriteerror.h"

#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>

#include <optional>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

const QByteArray kByteOrderMark("\xEF\xBB\xBF");
const QByteArray kNewFileLineEnd("\r\n");

enum class LineKind { Other, Blank, Header, Key };

struct Line {
    qsizetype contentBegin = 0; // after a byte-order mark
    qsizetype contentEnd = 0;   // before the line ending
    qsizetype end = 0;          // after the line ending
    LineKind kind = LineKind::Other;
    QByteArrayView name;      // section name of a header, key name of a key line (in the bytes)
    qsizetype valueBegin = 0; // after the "=" of a key line
};

struct ParsedFile {
    QByteArray bytes;
    QList<Line> lines;
    QByteArray lineEnd = kNewFileLineEnd;
};

bool isBlank(char c) {
    return c == ' ' || c == '\t';
}

QByteArrayView trimmedView(QByteArrayView text) {
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && isBlank(text[begin]))
        ++begin;
    while (end > begin && isBlank(text[end - 1]))
        --end;
    return text.sliced(begin, end - begin);
}

QByteArray trimBlanks(QByteArrayView text) {
    return trimmedView(text).toByteArray();
}

bool sameName(QByteArrayView a, QByteArrayView b) {
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

void classify(const QByteArray &bytes, Line &line) {
    const QByteArrayView content(bytes.constData() + line.contentBegin,
                                 line.contentEnd - line.contentBegin);
    qsizetype first = 0;
    while (first < content.size() && isBlank(content[first]))
        ++first;
    if (first == content.size()) {
        line.kind = LineKind::Blank;
        return;
    }
    if (content[first] == '[') {
        // Without its "]" the line is no header; "[]" is one, but names no section anyone can
        // ask for.
        const QByteArrayView rest = content.sliced(first + 1);
        if (const qsizetype close = rest.indexOf(']'); close >= 0) {
            line.kind = LineKind::Header;
            line.name = trimmedView(rest.first(close));
            return;
        }
    }
    if (content[first] != ';') {
        const qsizetype equals = content.indexOf('=');
        if (equals >= 0) {
            line.kind = LineKind::Key;
            line.name = trimmedView(content.first(equals));
            line.valueBegin = line.contentBegin + equals + 1;
        }
    }
}

// Cuts bytes into classified lines one at a time, so a read can stop at the line it looks for.
// Line ends are found by searching, not byte by byte; the next CR is searched again only once a
// line has passed it.
struct LineCursor {
    explicit LineCursor(const QByteArray &bytes)
        : bytes(bytes)
        , pos(bytes.startsWith(kByteOrderMark) ? kByteOrderMark.size() : 0)
        , nextCr(bytes.indexOf('\r')) {}

    // The next line, or false at the end of the bytes.
    bool next(Line &line) {
        const qsizetype size = bytes.size();
        if (pos >= size)
            return false;
        line = Line();
        line.contentBegin = pos;
        if (nextCr >= 0 && nextCr < pos)
            nextCr = bytes.indexOf('\r', pos);
        qsizetype i = bytes.indexOf('\n', pos);
        if (i < 0)
            i = size;
        if (nextCr >= 0 && nextCr < i)
            i = nextCr;
        line.contentEnd = i;
        if (i < size)
            i += (i == nextCr && i + 1 < size && bytes.at(i + 1) == '\n') ? 2 : 1;
        line.end = i;
        classify(bytes, line);
        pos = i;
        return true;
    }

    const QByteArray &bytes;
    qsizetype pos;
    qsizetype nextCr;
};

ParsedFile parse(QByteArray bytes) {
    ParsedFile file;
    file.bytes = std::move(bytes);
    file.lines.reserve(file.bytes.count('\n') + 1);
    LineCursor cursor(file.bytes);
    bool lineEndSeen = false;
    Line line;
    while (cursor.next(line)) {
        if (!lineEndSeen && line.end > line.contentEnd) {
            file.lineEnd = file.bytes.mid(line.contentEnd, line.end - line.contentEnd);
            lineEndSeen = true;
        }
        file.lines.append(line);
    }
    return file;
}

// The whole file, read straight into its bytes; nothing when it cannot be opened or read. The
// buffer holds one byte more than the file's size, so one read takes the whole file and the next
// finds its end; a file of unknown size (0) is read in growing steps.
std::optional<QByteArray> readWhole(const QString &path) {
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return std::nullopt;
    struct stat status {};
    const qsizetype capacity =
        ::fstat(fd, &status) == 0 && status.st_size > 0 ? qsizetype(status.st_size) + 1 : 4096;
    QByteArray bytes(capacity, Qt::Uninitialized);
    qsizetype filled = 0;
    for (;;) {
        if (filled == bytes.size())
            bytes.resize(bytes.size() * 2);
        const ssize_t n = ::read(fd, bytes.data() + filled, size_t(bytes.size() - filled));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0) {
            ::close(fd);
            if (n < 0)
                return std::nullopt;
            bytes.truncate(filled);
            return bytes;
        }
        filled += n;
    }
}

std::optional<ParsedFile> load(const QString &path) {
    std::optional<QByteArray> bytes = readWhole(path);
    if (!bytes)
        return std::nullopt;
    return parse(std::move(*bytes));
}

// The lines before the first header form the section "".
constexpr qsizetype kLeadingSection = -1;

// The header index of the first section of that (trimmed) name; nothing when there is none.
std::optional<qsizetype> findSection(const ParsedFile &file, const QByteArray &section) {
    if (section.isEmpty())
        return kLeadingSection;
    for (qsizetype i = 0; i < file.lines.size(); ++i) {
        if (file.lines[i].kind == LineKind::Header && sameName(file.lines[i].name, section))
            return i;
    }
    return std::nullopt;
}

// The offset where the section's header, or the leading section's first line, begins.
qsizetype sectionBegin(const ParsedFile &file, qsizetype header) {
    if (header != kLeadingSection)
        return file.lines[header].contentBegin;
    return file.lines.isEmpty() ? file.bytes.size() : file.lines.front().contentBegin;
}

// The index just past the section whose header is at index header.
qsizetype sectionEnd(const ParsedFile &file, qsizetype header) {
    qsizetype i = header + 1;
    while (i < file.lines.size() && file.lines[i].kind != LineKind::Header)
        ++i;
    return i;
}

qsizetype findKey(const ParsedFile &file, qsizetype header, const QByteArray &key) {
    const qsizetype end = sectionEnd(file, header);
    for (qsizetype i = header + 1; i < end; ++i) {
        if (file.lines[i].kind == LineKind::Key && sameName(file.lines[i].name, key))
            return i;
    }
    return -1;
}

QByteArray valueOf(const QByteArray &bytes, const Line &line) {
    QByteArrayView raw(bytes.constData() + line.valueBegin, line.contentEnd - line.valueBegin);
    const qsizetype nul = raw.indexOf('\0');
    if (nul >= 0)
        raw = raw.first(nul);
    raw = trimmedView(raw);
    if (raw.size() >= 2 && (raw.front() == '"' || raw.front() == '\'') && raw.back() == raw.front())
        raw = raw.sliced(1, raw.size() - 2);
    return raw.toByteArray();
}

bool hasLineBreak(const QByteArray &text) {
    return text.contains('\r') || text.contains('\n');
}

// The file's bytes up to upTo, with a line ending added when they end in an unterminated line.
QByteArray terminated(const ParsedFile &file, qsizetype upTo) {
    QByteArray out = file.bytes.left(upTo);
    if (!file.lines.isEmpty() && upTo == file.bytes.size() &&
        file.lines.back().end == file.lines.back().contentEnd)
        out += file.lineEnd;
    return out;
}

bool writable(const QString &path) {
    if (!QFile::exists(path))
        return true;
    constexpr QFileDevice::Permissions kAnyWrite =
        QFileDevice::WriteOwner | QFileDevice::WriteGroup | QFileDevice::WriteOther;
    return (QFile::permissions(path) & kAnyWrite) != 0;
}

// A new file next to target, created with the kernel's default mode, open for writing; -1 when the
// folder takes none.
int createSibling(const QString &target, QByteArray &name) {
    const QByteArray base = QFile::encodeName(target);
    for (int attempt = 0; attempt < 100; ++attempt) {
        name = base + '.' + QByteArray::number(QRandomGenerator::global()->generate(), 16) + ".tmp";
        const int fd = ::open(name.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0 || errno != EEXIST)
            return fd;
    }
    return -1;
}

bool writeAll(int fd, const QByteArray &bytes) {
    qsizetype done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.constData() + done, size_t(bytes.size() - done));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        done += n;
    }
    return true;
}

// Replaces the file by a complete new one in a single rename, keeping its mode; a symbolic link
// keeps pointing at the file it names.
void commit(const QString &path, const QByteArray &bytes) {
    const QFileInfo info(path);
    const QString target = info.isSymLink() ? info.symLinkTarget() : path;
    if (!writable(target))
        throw ProfileWriteError(path);
    QByteArray temporary;
    const int fd = createSibling(target, temporary);
    if (fd < 0)
        throw ProfileWriteError(path);
    struct stat existing {};
    bool ok = ::stat(QFile::encodeName(target).constData(), &existing) != 0 ||
              ::fchmod(fd, existing.st_mode & 07777) == 0;
    ok = ok && writeAll(fd, bytes);
    ok = ::close(fd) == 0 && ok;
    ok = ok && ::rename(temporary.constData(), QFile::encodeName(target).constData()) == 0;
    if (!ok) {
        ::unlink(temporary.constData());
        throw ProfileWriteError(path);
    }
}

void syncPath(const QByteArray &path, int flags) {
    const int fd = ::open(path.constData(), flags | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

// The file's bytes, or none when it does not exist; an existing file that cannot be read is never
// replaced.
QByteArray loadForWrite(const QString &path) {
    if (!QFile::exists(path))
        return QByteArray();
    std::optional<QByteArray> bytes = readWhole(path);
    if (!bytes)
        throw ProfileWriteError(path);
    return *bytes;
}

// The bytes with the entry written by the profile rules.
QByteArray withEntry(QByteArray bytes, const Profile::Entry &e) {
    const ParsedFile file = parse(std::move(bytes));
    const QByteArray section = trimBlanks(e.section);
    const QByteArray key = trimBlanks(e.key);
    const QByteArray entry = key + '=' + e.value;
    const std::optional<qsizetype> header = findSection(file, section);
    if (!header)
        return terminated(file, file.bytes.size()) + '[' + section + ']' + file.lineEnd + entry +
               file.lineEnd;
    if (const qsizetype found = findKey(file, *header, key); found >= 0) {
        const Line &line = file.lines[found];
        return file.bytes.left(line.contentBegin) + entry + file.bytes.mid(line.contentEnd);
    }
    qsizetype last = sectionEnd(file, *header) - 1;
    while (last > *header && file.lines[last].kind == LineKind::Blank)
        --last;
    // An empty leading section takes the key at the start of the file.
    const qsizetype at =
        last == kLeadingSection ? sectionBegin(file, kLeadingSection) : file.lines[last].end;
    return terminated(file, at) + entry + file.lineEnd + file.bytes.mid(at);
}

// The value of the key, or nothing when the file, the section or the key is missing. The lines
// are read only up to the key, or to the end of the first section of that name.
std::optional<QByteArray> lookup(const QString &path, const QByteArray &section,
                                 const QByteArray &key) {
    const std::optional<QByteArray> bytes = readWhole(path);
    if (!bytes)
        return std::nullopt;
    const QByteArrayView wantedSection = trimmedView(section);
    const QByteArrayView wantedKey = trimmedView(key);
    // The lines before the first header form the section "".
    bool inSection = wantedSection.isEmpty();
    LineCursor cursor(*bytes);
    Line line;
    while (cursor.next(line)) {
        if (line.kind == LineKind::Header) {
            if (inSection)
                return std::nullopt;
            inSection = sameName(line.name, wantedSection);
        } else if (inSection && line.kind == LineKind::Key && sameName(line.name, wantedKey)) {
            return valueOf(*bytes, line);
        }
    }
    return std::nullopt;
}

} // namespace

Profile::Profile(const QString &path)
    : m_path(path) {}

QByteArray Profile::readString(const QByteArray &section, const QByteArray &key,
                               const QByteArray &defaultValue) const {
    return lookup(m_path, section, key).value_or(defaultValue);
}

int Profile::readInteger(const QByteArray &section, const QByteArray &key, int defaultValue,
                         IntegerRule rule) const {
    const std::optional<QByteArray> value = lookup(m_path, section, key);
    return value ? rule(QString::fromLatin1(*value), defaultValue) : defaultValue;
}

QList<QByteArray> Profile::readSectionNames() const {
    QList<QByteArray> names;
    if (const std::optional<QByteArray> bytes = readWhole(m_path)) {
        LineCursor cursor(*bytes);
        Line line;
        while (cursor.next(line)) {
            if (line.kind == LineKind::Header && !line.name.isEmpty())
                names.append(line.name.toByteArray());
        }
    }
    return names;
}

void Profile::writeString(const QByteArray &section, const QByteArray &key,
                          const QByteArray &value) {
    writeStrings({{section, key, value}});
}

void Profile::writeStrings(const QList<Entry> &entries) {
    for (const Entry &e : entries) {
        if (hasLineBreak(e.section) || hasLineBreak(e.key) || hasLineBreak(e.value))
            throw ProfileWriteError(m_path);
    }
    QByteArray bytes = loadForWrite(m_path);
    for (const Entry &e : entries)
        bytes = withEntry(std::move(bytes), e);
    commit(m_path, bytes);
}

void Profile::eraseSection(const QByteArray &section) {
    const std::optional<ParsedFile> file = load(m_path);
    if (!file)
        return;
    const std::optional<qsizetype> header = findSection(*file, trimBlanks(section));
    if (!header)
        return;
    const qsizetype end = sectionEnd(*file, *header);
    const qsizetype from = sectionBegin(*file, *header);
    const qsizetype to =
        end < file->lines.size() ? file->lines[end].contentBegin : file->bytes.size();
    commit(m_path, file->bytes.left(from) + file->bytes.mid(to));
}

void Profile::flush() {
    const QFileInfo info(m_path);
    syncPath(QFile::encodeName(info.isSymLink() ? info.symLinkTarget() : m_path), O_RDONLY);
    syncPath(QFile::encodeName(info.absolutePath()), O_RDONLY | O_DIRECTORY);
}
