// Feeds arbitrary bytes to the profile reader as the content of a configuration file, reads
// every section and key it names, then writes one value into it. A read never returns more
// than the value, a missing key gives the default, and a write is read back as written without
// losing a section.
#include "platform/profile.h"

#include "setup/textrules.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QList>
#include <QTemporaryDir>

#include <algorithm>
#include <cstddef>
#include <cstdint>

// This target allocates and frees the parsed file many times per input: a short quarantine and
// no filling of new blocks keep the allocator from touching fresh pages for every one of them
// (a use after free within an input is still caught).
extern "C" const char *__asan_default_options() {
    return "quarantine_size_mb=4:max_malloc_fill_size=0";
}

namespace {

// The names of a file's lines before their "=", at most `limit`: the keys worth reading.
QList<QByteArray> keyNames(const QByteArray &bytes, qsizetype limit) {
    QList<QByteArray> keys;
    for (const QByteArray &line : QByteArray(bytes).replace('\r', '\n').split('\n')) {
        const qsizetype equals = line.indexOf('=');
        if (equals > 0)
            keys.append(line.first(equals).trimmed());
        if (keys.size() == limit)
            break;
    }
    return keys;
}

bool holdsLineEnd(const QByteArray &value) {
    return value.contains('\n') || value.contains('\r') || value.contains('\0');
}

// A folder for the files on a memory file system where there is one: every input writes the
// file and replaces it through a rename, which a disk file system would also start writing out.
QString scratchFolder() {
    static QTemporaryDir folder(QDir(QStringLiteral("/dev/shm")).exists()
                                    ? QStringLiteral("/dev/shm/fuzz_profile-XXXXXX")
                                    : QDir::tempPath() + QStringLiteral("/fuzz_profile-XXXXXX"));
    if (!folder.isValid())
        __builtin_trap();
    return folder.path();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    static const QString path = QDir(scratchFolder()).filePath(QStringLiteral("core_config.conf"));
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    {
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Unbuffered) ||
            file.write(bytes) != bytes.size())
            __builtin_trap();
    }

    Profile profile(path);
    // A key cannot hold a line break, so this one is missing in every section.
    const QByteArray missing("no\nkey");
    const QList<QByteArray> sections = profile.readSectionNames();
    // Every read parses the whole file, so a few reads per input keep the runs fast.
    for (const QByteArray &section : sections.first(std::min<qsizetype>(sections.size(), 4))) {
        if (profile.readString(section, missing, "default") != "default")
            __builtin_trap();
    }
    const QByteArray first = sections.value(0);
    const QByteArray last = sections.value(sections.size() - 1);
    for (const QByteArray &key : keyNames(bytes, 8)) {
        if (holdsLineEnd(profile.readString(last, key, "")))
            __builtin_trap();
        (void)profile.readInteger(first, key, 0, IntegerTextValue);
    }
    if (profile.readInteger(first, missing, 7, IntegerTextValue) != 7)
        __builtin_trap();

    const QByteArray section = sections.isEmpty() ? QByteArray("ConsoleList") : sections.last();
    const QByteArray value = bytes.first(std::min<qsizetype>(size, 8)).toHex();
    if (holdsLineEnd(section))
        return 0;
    profile.writeString(section, "FuzzKey", value);
    if (profile.readString(section, "FuzzKey", "") != value)
        __builtin_trap();
    QList<QByteArray> after = profile.readSectionNames();
    if (!sections.contains(section))
        after.removeLast();
    if (after != sections)
        __builtin_trap();
    return 0;
}
