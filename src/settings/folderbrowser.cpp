#include "settings/folderbrowser.h"

#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QStorageInfo>
#include <QVBoxLayout>

#include "platform/foldername.h"
#include "platform/prompter.h"

namespace {

const QString kUp = QStringLiteral("..");

QString nativeFolder(const QString& path) {
    return FolderName::withSeparator(QDir::toNativeSeparators(QDir::cleanPath(path)));
}

}  // namespace

FolderBrowser::FolderBrowser(Prompter& prompter, QWidget* parent)
    : QWidget(parent), prompter_(prompter), lister_(&FolderBrowser::mountedVolumes) {
    setObjectName(QStringLiteral("FolderBrowser"));
    auto* v = new QVBoxLayout(this);
    v->setContentsMargins(0, 0, 0, 0);
    drive_ = new QComboBox;
    drive_->setObjectName(QStringLiteral("Drive1"));
    drive_->setAccessibleName(QStringLiteral("Unità"));
    // A volume mounted under a long path is cut in the box (whole in its list), so
    // that it never widens the settings dialog.
    drive_->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    drive_->setMinimumContentsLength(16);
    path_ = new QLineEdit;
    path_->setObjectName(QStringLiteral("Dir1Path"));
    path_->setAccessibleName(QStringLiteral("Cartella aperta"));
    dir_ = new QListWidget;
    dir_->setObjectName(QStringLiteral("Dir1"));
    dir_->setAccessibleName(QStringLiteral("Cartelle"));
    auto* newFolder = new QPushButton(QStringLiteral("Nuova cartella"));
    newFolder->setObjectName(QStringLiteral("NuovaCartella"));
    newFolder->setAutoDefault(false);
    newFolder->setToolTip(
        QStringLiteral("Crea una cartella: scriverne il nome nella casella e premere Invio."));
    newFolder_ = newFolder;
    auto* pathRow = new QHBoxLayout;
    pathRow->addWidget(path_, 1);
    pathRow->addWidget(newFolder);
    v->addWidget(drive_);
    v->addLayout(pathRow);
    v->addWidget(dir_, 1);
    connect(drive_, &QComboBox::activated, this, &FolderBrowser::volumePicked);
    connect(dir_, &QListWidget::itemActivated, this, &FolderBrowser::itemActivated);
    connect(path_, &QLineEdit::returnPressed, this, &FolderBrowser::pathTyped);
    connect(newFolder, &QPushButton::clicked, this, &FolderBrowser::newFolderClicked);
    setBrowsing(false);
}

QString FolderBrowser::rootFolder() {
    return nativeFolder(QDir::rootPath());
}

QString FolderBrowser::notReadyText(const QString& root) {
    return QStringLiteral("L'unità %1 non è pronta o non è leggibile.").arg(root);
}

QString FolderBrowser::noFolderText(const QString& path) {
    return QStringLiteral("La cartella %1 non esiste o non è leggibile.").arg(path);
}

QString FolderBrowser::cannotMakeText(const QString& path) {
    return QStringLiteral("Impossibile creare la cartella %1.").arg(path);
}

QList<FolderBrowser::Volume> FolderBrowser::mountedVolumes() {
    QList<Volume> volumes;
    for (const QStorageInfo& info : QStorageInfo::mountedVolumes()) {
        if (!info.isValid()) {
            continue;
        }
        const QString root = nativeFolder(info.rootPath());
        QString label = root;
        const QString name = info.displayName();
        if (!name.isEmpty() && nativeFolder(name) != root) {
            label += QStringLiteral("  [") + name + QLatin1Char(']');
        }
        volumes.push_back({root, label});
    }
    return volumes;
}

QString FolderBrowser::rootOf(const QString& folder) {
    const QStorageInfo info(folder);
    return info.isValid() ? nativeFolder(info.rootPath()) : rootFolder();
}

void FolderBrowser::setBrowsing(bool on) {
    if (on) {
        fillVolumes();
    }
    making_ = false;
    drive_->setVisible(on);
    path_->setVisible(on);
    newFolder_->setVisible(on);
    dir_->setVisible(on);
}

void FolderBrowser::fillVolumes() {
    const QSignalBlocker quiet(drive_);
    drive_->clear();
    for (const Volume& v : lister_()) {
        drive_->addItem(v.label, v.root);
    }
    if (!open_.isEmpty()) {
        showVolumeOf(open_);
    }
}

// Drive1 shows the volume holding folder: the one with the longest root that
// the folder lies in, added to the list when the system did not offer it.
void FolderBrowser::showVolumeOf(const QString& folder) {
    const QSignalBlocker quiet(drive_);
    int best = -1;
    qsizetype bestLength = -1;
    for (int i = 0; i < drive_->count(); ++i) {
        const QString root = drive_->itemData(i).toString();
        if (folder.startsWith(root) && root.size() > bestLength) {
            best = i;
            bestLength = root.size();
        }
    }
    if (best < 0) {
        const QString root = rootOf(folder);
        drive_->addItem(root, root);
        best = drive_->count() - 1;
    }
    drive_->setCurrentIndex(best);
}

bool FolderBrowser::open(const QString& path) {
    if (path.trimmed().isEmpty()) {
        return false;
    }
    const QFileInfo info(path);
    if (!info.isDir() || !info.isReadable() || !info.isExecutable()) {
        return false;
    }
    const QString folder = nativeFolder(info.absoluteFilePath());
    QDir dir(folder);
    const QStringList names =
        dir.entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name | QDir::IgnoreCase);
    open_ = folder;
    dir_->clear();
    if (!dir.isRoot()) {
        dir_->addItem(kUp);
    }
    dir_->addItems(names);
    if (dir_->count() > 0) {
        dir_->setCurrentRow(0);
    }
    path_->setText(open_);
    showVolumeOf(open_);
    lastOnVolume_.insert(drive_->currentData().toString(), open_);
    emit folderChanged(open_);
    return true;
}

void FolderBrowser::volumePicked(int index) {
    const QString root = drive_->itemData(index).toString();
    QStorageInfo info(root);
    info.refresh();
    const bool ready = info.isValid() && info.isReady() && QFileInfo(root).isDir();
    const QString last = lastOnVolume_.value(root);
    if (!ready || !(open(last) || open(root))) {
        prompter_.tell(notReadyText(root), QStringLiteral("Quintora: avviso"),
                       Message::Icon::Exclamation);
        showVolumeOf(open_);
    }
}

void FolderBrowser::itemActivated(QListWidgetItem* item) {
    if (item == nullptr) {
        return;
    }
    QDir dir(open_);
    const bool moved = item->text() == kUp ? dir.cdUp() : dir.cd(item->text());
    if (!moved || !open(dir.path())) {
        prompter_.tell(noFolderText(QDir::toNativeSeparators(dir.filePath(item->text()))),
                       QStringLiteral("Quintora: avviso"), Message::Icon::Exclamation);
        open(open_);
    }
}

void FolderBrowser::newFolderClicked() {
    if (making_ && makeTypedFolder()) {
        return;
    }
    // The name is typed in place of the proposed one, inside the open folder.
    making_ = true;
    const QString name = QStringLiteral("Nuova cartella");
    path_->setText(open_ + name);
    path_->setFocus();
    path_->setSelection(int(open_.size()), int(name.size()));
}

// Makes the folder named in the path box (inside an existing folder) and opens it;
// false when the box names no folder to make.
bool FolderBrowser::makeTypedFolder() {
    const QString typed = QDir::fromNativeSeparators(path_->text().trimmed());
    const QFileInfo info(typed);
    if (typed.isEmpty() || QDir::isRelativePath(typed) || info.exists() ||
        !QFileInfo(info.absolutePath()).isDir()) {
        return false;
    }
    making_ = false;
    if (!QDir().mkdir(typed) || !open(typed)) {
        prompter_.tell(cannotMakeText(QDir::toNativeSeparators(typed)),
                       QStringLiteral("Quintora: avviso"), Message::Icon::Exclamation);
        path_->setText(open_);
    }
    return true;
}

void FolderBrowser::pathTyped() {
    const QString typed = path_->text().trimmed();
    if (typed == open_) {
        return;
    }
    if (making_ && makeTypedFolder()) {
        return;
    }
    if (!open(QDir::fromNativeSeparators(typed))) {
        prompter_.tell(noFolderText(typed), QStringLiteral("Quintora: avviso"),
                       Message::Icon::Exclamation);
        path_->setText(open_);
    }
}
