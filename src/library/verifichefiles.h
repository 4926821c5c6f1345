#pragma once

#include <QHash>
#include <QString>
#include <memory>

#include "library/listedfolderprobe.h"
#include "platform/fileprobe.h"

// The file lookups of one library check: each folder is listed once, the first
// time a file in it is looked up, and every later lookup there is answered from
// memory, with the same answers as FileProbe. A check of thousands of songs whose
// grooves share a few folders thus reads each folder once. Files added while the
// object lives are not seen: make one per check. GUI thread only.
class VerificheFiles : public FileProbe {
public:
    VerificheFiles();
    ~VerificheFiles() override;

    QString storedName(const QString& path) const override;

private:
    mutable QHash<QString, std::shared_ptr<ListedFolderProbe>> folders_;
};
