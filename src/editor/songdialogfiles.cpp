// SongDialog: the song's audio files, chosen and listened to.
#include <QFileInfo>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include "config/mp3lookup.h"
#include "config/sharedstate.h"
#include "editor/fileplacer.h"
#include "editor/listener.h"
#include "editor/songdialog.h"
#include "exchange/mp3folderimport.h"
#include "platform/fileprobe.h"
#include "platform/prompter.h"

void SongDialog::listen(int which) {
    QPushButton* pressed = which == 1 ? listen1_ : listen2_;
    if (listener_->isListening()) {
        listener_->stop();  // the button says "Ferma" while something plays
        return;
    }
    const QString groove1 = groove1_->text();
    const QString name = which == 1 ? groove1 : groove2_->text();
    if (name.isEmpty()) {
        return;
    }
    const bool mp3 = !loop_->isChecked();
    QString path;
    if (mp3) {
        path = Mp3Lookup::findPath(services_.state.CartelleMp3, name, FileProbe());
        if (path.isEmpty()) {
            path = name;
        }
    } else {
        path = FilePlacer::grooveFolder(services_.state.PathLavoro, groove1) + name;
    }
    if (listener_->listen(path, mp3)) {
        pressed->setText(QStringLiteral("Ferma"));
        (which == 1 ? listen2_ : listen1_)->setEnabled(false);
    }
}

void SongDialog::listened() {
    listen1_->setText(QStringLiteral("Ascolta"));
    listen2_->setText(QStringLiteral("Ascolta"));
    listen1_->setEnabled(true);
    listen2_->setEnabled(loop_->isChecked());
}

void SongDialog::chooseGroove(int which) {
    const Busy busy(*this);
    FilePlacer placer(services_, this);
    const bool loop = loop_->isChecked();
    const QString work = services_.state.PathLavoro;
    std::optional<QString> name;
    if (!loop) {
        name = placer.chooseMp3();
        if (name) {
            groove1_->setText(*name);
            fillFromTags(*name);
        }
    } else if (which == 1) {
        name = placer.chooseWav(QString());
        if (!name) {
            return;
        }
        groove1_->setText(*name);
        // Groove 2 lives in groove 1's folder: it goes along when that folder changes.
        const QString folder = FilePlacer::foundGrooveFolder(work, *name);
        if (!groove2_->text().isEmpty() &&
            QFileInfo(folder).absoluteFilePath() != QFileInfo(groove2Folder_).absoluteFilePath()) {
            if (!placer.bringAlong(groove2_->text(), groove2Folder_, *name)) {
                groove2_->clear();
            }
        }
        groove2Folder_ = folder;
    } else {
        if (groove1_->text().isEmpty()) {
            services_.prompter.tell(
                QStringLiteral("Scegli prima il Groove 1: il Groove 2 va nella sua cartella."), {},
                Message::Icon::Exclamation);
            return;
        }
        name = placer.chooseWav(groove1_->text());
        if (name) {
            groove2_->setText(*name);
            groove2Folder_ = FilePlacer::foundGrooveFolder(work, groove1_->text());
        }
    }
}

void SongDialog::fillFromTags(const QString& name) {
    if (!titoli_->text().trimmed().isEmpty() && !autore_->text().trimmed().isEmpty()) {
        return;
    }
    const int slot = Mp3Lookup::findSlot(services_.state.CartelleMp3, name, FileProbe());
    if (slot < 0) {
        return;
    }
    // What the MP3-folder import would make of the file: its tags, else its name.
    const SongRecord tagged =
        Mp3FolderImport::song(services_.state.CartelleMp3[size_t(slot)].toText(), name);
    if (titoli_->text().trimmed().isEmpty()) {
        titoli_->setText(tagged.Titoli);
    }
    if (autore_->text().trimmed().isEmpty()) {
        autore_->setText(tagged.Autore.toString());
    }
}
