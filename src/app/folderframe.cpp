#include "app/folderframe.h"

#include <QDir>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/audio.h"
#include "app/closingcheck.h"
#include "platform/clickablelabel.h"
#include "platform/fileprobe.h"
#include "platform/foldername.h"
#include "platform/prompter.h"
#include "settings/folderbrowser.h"

FolderFrame::FolderFrame(Audio& window, QWidget* parent)
    : QGroupBox(QStringLiteral("Path Audio "), parent), w_(window) {
    setObjectName(QStringLiteral("FramePath"));
    auto* v = new QVBoxLayout(this);
    wave_ = new ClickableLabel(QStringLiteral("Wave"));
    wave_->setFocusPolicy(Qt::StrongFocus);
    // A long path is cut in the middle: its start and the folder's own name show.
    wave_->setElideMode(Qt::ElideMiddle);
    connect(wave_, &ClickableLabel::clicked, this, &FolderFrame::WaveClick);
    v->addWidget(wave_);
    for (int i = 0; i < 10; ++i) {
        mp3_[i] = new ClickableLabel(QStringLiteral("Mp3(%1)").arg(i));
        mp3_[i]->setFocusPolicy(Qt::StrongFocus);
        mp3_[i]->setElideMode(Qt::ElideMiddle);
        connect(mp3_[i], &ClickableLabel::clicked, this, [this, i] { Mp3Click(i); });
        v->addWidget(mp3_[i]);
    }
    browser_ = new FolderBrowser(window.services().prompter);
    v->addWidget(browser_, 1);
    auto* buttons = new QHBoxLayout;
    conferma_ = new QPushButton(QStringLiteral("Conferma"));
    conferma_->setObjectName(QStringLiteral("Conferma"));
    conferma_->setAutoDefault(false);
    vuoto_ = new QPushButton(QStringLiteral("Vuoto"));
    vuoto_->setObjectName(QStringLiteral("Vuoto"));
    vuoto_->setAutoDefault(false);
    buttons->addWidget(conferma_);
    buttons->addWidget(vuoto_);
    buttons->addStretch(1);
    v->addLayout(buttons);
    connect(conferma_, &QPushButton::clicked, this, &FolderFrame::ConfermaClick);
    connect(vuoto_, &QPushButton::clicked, this, &FolderFrame::VuotoClick);
    load();
}

QString FolderFrame::waveCaption(const QString& folder) {
    return QStringLiteral("Wave-Mdb: ") + folder;
}

QString FolderFrame::mp3Caption(int slot, const QString& folder) {
    return QStringLiteral("MP3 (%1): ").arg(slot) + folder;
}

QString FolderFrame::missingLibraryText() {
    return QStringLiteral("Attenzione!!! Percorso sbagliato o file mdb assente. ");
}

void FolderFrame::load() {
    const SharedState& st = w_.state();
    wave_->setText(waveCaption(st.PathLavoro));
    setBold(wave_, false);
    for (int i = 0; i < 10; ++i) {
        mp3_[i]->setText(mp3Caption(i, st.CartelleMp3[i].toText()));
        setBold(mp3_[i], false);
    }
    closeChoice();
}

bool FolderFrame::choiceOpen() const {
    return conferma_->isEnabled();
}

ClickableLabel* FolderFrame::targetLabel() const {
    return scelta_ < 0 ? wave_ : mp3_[std::size_t(scelta_)];
}

void FolderFrame::setBold(ClickableLabel* label, bool bold) {
    QFont f = label->font();
    f.setBold(bold);
    label->setFont(f);
}

void FolderFrame::openChoice(bool slot) {
    // Only one label is bold: the choice open before this one gives up its mark.
    if (choiceOpen()) {
        setBold(targetLabel(), false);
    }
    emit browsing(true);
    browser_->setBrowsing(true);
    vuoto_->setEnabled(slot);
    conferma_->setEnabled(true);
}

void FolderFrame::closeChoice() {
    browser_->setBrowsing(false);
    vuoto_->setEnabled(false);
    conferma_->setEnabled(false);
    emit browsing(false);
}

void FolderFrame::WaveClick() {
    openChoice(false);
    setBold(wave_, true);
    scelta_ = -1;
    QString& folder = w_.state().PathLavoro;
    // With no working folder yet, browsing starts at the user's home folder.
    if (!browser_->open(folder.isEmpty() ? QDir::homePath() : folder)) {
        // A folder that no longer exists: browse from the nearest one still there.
        QString near = QDir::cleanPath(QDir::fromNativeSeparators(folder));
        while (!near.isEmpty() && !QFileInfo(near).isDir()) {
            const QString parent = QFileInfo(near).absolutePath();
            if (parent == near) {
                break;
            }
            near = parent;
        }
        if (near.isEmpty() || !browser_->open(near)) {
            browser_->open(FolderBrowser::rootFolder());
        }
    }
    if (!folder.isEmpty()) {
        folder = FolderName::withSeparator(folder);
    }
}

void FolderFrame::Mp3Click(int slot) {
    openChoice(true);
    setBold(mp3_[std::size_t(slot)], true);
    scelta_ = slot;
    Value& folder = w_.state().CartelleMp3[std::size_t(slot)];
    const QString stored = folder.toText();
    if (stored.isEmpty()) {
        browser_->open(FolderBrowser::rootFolder());
    } else if (!browser_->open(stored)) {
        // The folder is gone: the slot falls back to the root folder; its label keeps
        // the old folder until the choice is confirmed or cleared.
        folder = FolderBrowser::rootFolder();
        browser_->open(FolderBrowser::rootFolder());
    }
}

void FolderFrame::ConfermaClick() {
    if (!choiceOpen()) {
        return;
    }
    closeChoice();
    const QString chosen = browser_->chosenFolder();
    SharedState& st = w_.state();
    if (scelta_ < 0) {
        st.PathLavoro = chosen;
        wave_->setText(waveCaption(chosen));
        setBold(wave_, false);
        // A folder without a library is most often a new one: a library is offered
        // there at once; only when the user declines does the warning follow.
        if (!ClosingCheck::libraryPresent(w_) && !ClosingCheck(w_).offerLibrary()) {
            w_.services().prompter.tell(missingLibraryText(), ClosingCheck::warningTitle(),
                                        Message::Icon::Critical);
        }
        return;
    }
    st.CartelleMp3[std::size_t(scelta_)] = chosen;
    mp3_[std::size_t(scelta_)]->setText(mp3Caption(scelta_, chosen));
    setBold(mp3_[std::size_t(scelta_)], false);
    w_.setFilterCaption(scelta_, FolderName::ownName(chosen));
}

void FolderFrame::VuotoClick() {
    if (!choiceOpen() || scelta_ < 0) {
        return;
    }
    closeChoice();
    w_.state().CartelleMp3[std::size_t(scelta_)] = QString();
    mp3_[std::size_t(scelta_)]->setText(mp3Caption(scelta_, QString()));
    setBold(mp3_[std::size_t(scelta_)], false);
    w_.setFilterCaption(scelta_, QStringLiteral(" "));
}
