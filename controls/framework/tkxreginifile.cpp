#include "controls/framework/tkxreginifile.h"

TKxRegIniFile::TKxRegIniFile(QObject *owner)
    : QObject(owner) {}

void TKxRegIniFile::SetPath(const QString &value) {
    m_path = value;
}

void TKxRegIniFile::SetPathType(TKxPathType value) {
    m_pathType = value;
}

void TKxRegIniFile::SetRegKey(TKxRegKey value) {
    m_regKey = value;
}

void TKxRegIniFile::SetRegAccess(TKxRegAccess value) {
    m_regAccess = value;
}
