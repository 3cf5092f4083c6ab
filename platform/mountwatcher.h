#pragma once

#include "platform/mountinfo.h"

#include <QList>
#include <QObject>
#include <QString>
#include <QTimer>

class QSocketNotifier;

// Tells when file systems are mounted or unmounted anywhere, also where no drive is (a tmpfs on a
// shown folder): /proc/self/mountinfo signals a change with POLLPRI, watched with a socket
// notifier; where that is not possible the file is polled.
class MountWatcher : public QObject {
    Q_OBJECT

public:
    static constexpr int kPollIntervalMs = 2000;

    explicit MountWatcher(QString path = QString::fromLatin1(kMountInfoPath),
                          QObject *parent = nullptr);
    ~MountWatcher() override;

    // The mounts that are drives (BrowsableMounts).
    QList<MountPoint> mounts() const { return BrowsableFolderMounts(m_all); }

public slots:
    // Reads the file again and reports what changed since the last reading.
    void check();

signals:
    // Every mount that came or went, drive or not.
    void mountsChanged(const QList<MountPoint> &added, const QList<MountPoint> &removed);

private:
    QByteArray readText() const;

    QString m_path;
    int m_fd = -1;
    QSocketNotifier *m_notifier = nullptr;
    QTimer m_pollTimer;
    QList<MountPoint> m_all;
};
