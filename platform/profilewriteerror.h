#pragma once

#include <QString>

#include <stdexcept>

// Raised when a profile file cannot be written; the message reads "Unable to write to <path>".
class ProfileWriteError : public std::runtime_error {
public:
    explicit ProfileWriteError(const QString &path);

    QString path() const { return m_path; }
    QString message() const;

private:
    QString m_path;
};
