#pragma once

#include <QHash>
#include <QSet>
#include <QString>

#include "platform/fileprobe.h"

// A file probe that reads one folder's names once and answers lookups of files in
// that folder from memory, the same answers as FileProbe would give: the exact
// name when a file of that name is there, otherwise the stored name of a file
// whose name differs only in letter case. Lookups elsewhere go to FileProbe. Made
// for passes over many songs of one folder. GUI thread only.
class ListedFolderProbe : public FileProbe {
public:
    // folder: a path ending in the separator, or empty for the current folder.
    explicit ListedFolderProbe(const QString& folder);

    QString storedName(const QString& path) const override;

private:
    QString folder_;
    QSet<QString> exact_;
    QHash<QString, QString> folded_;  // lower-case name -> first stored name
};
