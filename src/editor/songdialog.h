#pragma once

#include <array>
#include <optional>

#include "editor/editorservices.h"
#include "editor/guardeddialog.h"
#include "editor/taptempo.h"
#include "library/gearmessage.h"
#include "library/songrecord.h"

class GearMessagesFrame;
class Listener;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QSpinBox;
class QDoubleSpinBox;
class SongbookChoice;

// The song dialog "Brano": every field a grid shows (title, author, page, capo,
// BPM, loop or MP3 song, the grooves or the MP3 file, the place in each running
// order), the songbook the page is in (SongbookChoice, when the settings name books),
// the loudness trim and the messages it sends to other gear (GearMessagesFrame). Files are
// chosen, never typed. "Salva" stores the song through the
// library writer in one change and closes the dialog; a failed write is reported
// and the dialog stays open with what was typed. While a chooser or a question of
// the dialog is open the dialog neither saves nor closes (see GuardedDialog).
// Modeless. GUI thread only.
class SongDialog : public GuardedDialog {
    Q_OBJECT
public:
    // id -1: a new song.
    SongDialog(const EditorServices& services, qint64 id, const SongRecord& song,
               QWidget* parent = nullptr);
    ~SongDialog() override;

    qint64 songId() const { return id_; }
    // The song as the fields now hold it; nothing (with a message shown) when a
    // field cannot be stored.
    std::optional<SongRecord> record();
    // Stores the song; true when stored (the dialog then closes).
    bool save();

signals:
    // The song was stored under id; added: as a new song.
    void saved(qint64 id, const SongRecord& song, bool added);

private:
    bool store(const SongRecord& s, const GearMessages& gear, qint64* id);
    void fillFromTags(const QString& name);
    void build();
    void load(const SongRecord& song);
    void showKind();
    void chooseGroove(int which);
    void tap();
    void listen(int which);
    void listened();
    void tempoFromGroove();
    void showTempo(double bpm);

    EditorServices services_;
    qint64 id_;
    SongRecord original_;
    QLineEdit* titoli_ = nullptr;
    QLineEdit* autore_ = nullptr;
    QLineEdit* pagina_ = nullptr;
    QLineEdit* capotasto_ = nullptr;
    QLineEdit* bpm_ = nullptr;
    QRadioButton* loop_ = nullptr;
    QRadioButton* mp3_ = nullptr;
    QLabel* groove1Label_ = nullptr;
    QLineEdit* groove1_ = nullptr;
    QLineEdit* groove2_ = nullptr;
    QPushButton* choose2_ = nullptr;
    QPushButton* clear2_ = nullptr;
    std::array<QSpinBox*, 5> sca_{};
    QPushButton* fromGroove_ = nullptr;
    TapTempo taps_;
    Listener* listener_ = nullptr;
    QPushButton* listen1_ = nullptr;
    QPushButton* listen2_ = nullptr;
    QPushButton* salva_ = nullptr;
    QPushButton* annulla_ = nullptr;
    QString groove2Folder_;  // where groove 2's file lies
    GearMessagesFrame* gearFrame_ = nullptr;
    bool gearRead_ = true;  // the song's messages were read (else they are left alone)
    QDoubleSpinBox* trim_ = nullptr;
    double trimRead_ = 0;  // the trim as read; nan: it could not be read
    SongbookChoice* book_ = nullptr;
};
