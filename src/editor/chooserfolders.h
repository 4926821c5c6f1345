#pragma once

#include <QHash>
#include <QString>

// Where the user last chose a file of each kind (a groove, an MP3), so that the
// next chooser of that kind opens there, across runs. Kept in a small settings file
// of its own beside the configuration (QuintoraCartelle.ini for Quintora.ini; the
// configuration file itself keeps its layout). The file is read only when it is a
// regular file and written only where it is one or absent; otherwise the folders
// are kept for this run only. An empty path keeps them for this run only.
// GUI thread only.
class ChooserFolders {
public:
    static inline const QString kGroove = QStringLiteral("Groove");
    static inline const QString kMp3 = QStringLiteral("Mp3");

    explicit ChooserFolders(const QString& configPath = {});

    // The settings file kept beside the configuration file configPath.
    static QString pathFor(const QString& configPath);

    // The folder where a file of kind was last chosen while it still exists,
    // otherwise fallback.
    QString folder(const QString& kind, const QString& fallback) const;
    // A file of kind was chosen at path.
    void remember(const QString& kind, const QString& path);

private:
    bool usable() const;

    QString path_;
    QHash<QString, QString> folders_;
};
