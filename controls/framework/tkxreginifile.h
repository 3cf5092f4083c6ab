#pragma once

#include <QObject>
#include <QString>

#include <cstdint>

enum TKxPathType : int { ptIniFile, ptRegistry };

enum TKxRegKey : int {
    hkeyClassesRoot,
    hkeyCurrentUser,
    hkeyLocalMachine,
    hkeyUsers,
    hkeyPerformanceData,
    hkeyCurrentConfig,
    hkeyDynData
};

enum TKxRegAccessKey : int {
    keyQueryValue,
    keySetValue,
    keyCreateSubKey,
    keyEnumerateSubKeys,
    keyNotify,
    keyCreateLink,
    keyRead,
    keyWrite,
    keyExecute,
    keyAllAccess
};

// A set of access keys, bit n standing for the key of ordinal n.
using TKxRegAccess = std::uint16_t;

constexpr TKxRegAccess RegAccessOf(TKxRegAccessKey key) {
    return TKxRegAccess(1u << key);
}

// Names where settings are kept: a file path or a registry key with its access. Nothing in the
// system reads or writes through it; a frame controller only carries it.
class TKxRegIniFile : public QObject {
    Q_OBJECT

public:
    explicit TKxRegIniFile(QObject *owner = nullptr);

    const QString &Path() const { return m_path; }
    virtual void SetPath(const QString &value);
    TKxPathType PathType() const { return m_pathType; }
    virtual void SetPathType(TKxPathType value);
    TKxRegKey RegKey() const { return m_regKey; }
    virtual void SetRegKey(TKxRegKey value);
    TKxRegAccess RegAccess() const { return m_regAccess; }
    virtual void SetRegAccess(TKxRegAccess value);

private:
    QString m_path;
    TKxPathType m_pathType = ptIniFile;
    TKxRegKey m_regKey = hkeyCurrentUser;
    TKxRegAccess m_regAccess = RegAccessOf(keyAllAccess);
};
