#pragma once

#include <QByteArray>
#include <QString>
#include <optional>

// Where the show stands, as kept for a restart after a crash: the list shown, the
// highlighted and the prepared song, the two volumes, whether the pedal box was
// connected and what was sounding, where. A list is one of the list chooser's entries ("lista 0" to
// "lista 6"), or a view of the title list ("loop", "mp3", "filtro 0" to "filtro 9"). Songs are kept
// by title and row, so that a library edited meanwhile still finds them.
struct ShowState {
    QString list;           // the list shown in the main grid
    QString title;          // the highlighted song's title
    int row = -1;           // its row in the list, -1 none
    bool prepared = false;  // a song was prepared
    QString preparedList;   // the list it was prepared from
    QString preparedTitle;
    int preparedRow = -1;
    std::optional<int> waveVolume;  // the grooves' slider (Vol1)
    std::optional<int> mp3Volume;   // the MP3's slider (HSVolumeMp3)
    bool connected = false;         // the pedal box was connected
    // What the pedals had sounding: 1 groove 1 or the MP3, 2 groove 2, 0 nothing;
    // and where: the frame of the groove's loop, or the MP3's second (-1 unknown).
    int sounding = 0;
    double soundAt = -1;

    bool operator==(const ShowState&) const = default;

    // The file's text: a first line naming it, then one "name=value" line each,
    // texts percent-encoded so that any title stays on its line.
    QByteArray encode() const;
    // The state a file holds; nothing when it is not such a file. Values that are
    // out of place are left out one by one, never trusted.
    static std::optional<ShowState> decode(const QByteArray& bytes);

    // The list names that encode() writes and decode() accepts.
    static QString listEntry(int index);
    static QString view(const QString& name, int index = -1);
    // The entry index of a "lista N" name, the view's name and folder index of a view
    // ("filtro", 3), or -1 / empty when the name is neither.
    static int entryOf(const QString& list);
    static QString viewOf(const QString& list, int* folder = nullptr);
};
