#pragma once

#include <QHash>
#include <QObject>
#include <QSet>
#include <QString>
#include <QStringList>

class QSocketNotifier;

// Tells when entries come, go or change their mode in a set of folders, through the system's
// file notification (inotify on Linux): nothing runs between two changes. A folder that does
// not exist yet is watched through its nearest existing parent until it is created, and
// again through that parent after it is removed.
class FolderChangeNotifier : public QObject {
    Q_OBJECT
public:
    explicit FolderChangeNotifier(QObject* parent = nullptr);
    ~FolderChangeNotifier() override;

    // Starts watching `folders` (absolute paths). False where the system offers no
    // notification or has none left for this user; the owner has to look for itself then.
    bool watch(const QStringList& folders);
    void stop();
    bool isWatching() const;

    // A full path with its folder resolved, the form `changed` names entries in.
    static QString entryKey(const QString& path);

Q_SIGNALS:
    // Something changed in the folders. `replaced` holds the entries (as entryKey) that were
    // created, removed or renamed since the last signal: a device that went away and came
    // back between two looks is still a new device.
    void changed(const QSet<QString>& replaced);

private:
    void readEvents();
    void updateWatches();
    QString watchTargetOf(const QString& folder) const;

    int m_fd = -1;
    QSocketNotifier* m_notifier = nullptr;
    QStringList m_wanted;
    QHash<int, QString> m_folderOfWatch;
};
