#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QList>
#include <QString>
#include <QStringList>

#include "config/configdata.h"

// The four layouts of the configuration file, told apart by its first field.
enum class ConfigLayout {
    Untagged,  // before 2.5: working folder, metronome, font, intervals, two colours
    V25,       // "2.5": no column flags, no widths, MP3 folders on lines 7 to 16
    V27,       // "2.7": six column flags and seven widths (no Autore)
    V28,       // "2.8": the layout this program writes
};

// A field or line of a configuration file that could not be used; its values keep
// their defaults.
struct ConfigProblem {
    int line = 0;     // 1-based line of the file
    int field = 0;    // 1-based field of the line, 0 for the line as a whole
    QString message;  // Italian, e.g. "numero atteso"

    // "riga 3, campo 2: numero atteso", or "riga 7: riga mancante".
    QString toText() const;
};

// What a read of the configuration file gives.
struct ConfigReadResult {
    ConfigLayout layout = ConfigLayout::Untagged;
    ConfigData data;
    QList<ConfigProblem> problems;
};

// Reads and writes the bytes of the configuration file: one line per group of
// settings, fields by position, text in double quotes, numbers in plain decimal,
// #TRUE# / #FALSE#, an unset value as an empty field, CR LF line ends. Pure: no
// file access and no widgets. Never throws, and returns on any content in time
// linear in its length. Any thread.
class ConfigCodec {
public:
    // Reads all four layouts. The first field decides the layout (compared as
    // text with "2.5", "2.7", "2.8"; anything else is the untagged layout). Text
    // is UTF-8 when the bytes are valid UTF-8, otherwise Windows-1252.
    // What a layout does not hold: "2.5" leaves the seven column flags unset and
    // the eight widths at their defaults; "2.7" leaves MostraAutore unset and
    // LargAutore at its default; the untagged layout leaves the flags and the
    // widths unset, the ten MP3 folders as empty text and the version unset.
    // A missing line, a wrong field count, a field of the wrong kind, a timer
    // interval outside 0 to one hour or a text longer than any name keeps the
    // defaults of what could not be read and is listed in the problems. Lines 19 on
    // are this program's own and may be missing; from line 20 on a line that is not
    // whole as this program writes it ends the reading without a problem (another
    // program's), except a list of songbooks that cannot be read, which is a problem.
    static ConfigReadResult read(QByteArrayView bytes);

    // The bytes of the "2.8" layout (18 lines) followed by line 19 (output
    // device, buffer frames, pedal interface), then lines 20 to 25 (the stage
    // settings, the set, the levelling, the beat clock, resuming after a crash, the
    // songbooks) as far as the last of them that holds a value not at its default,
    // UTF-8, CR LF line ends. Each value
    // is written in the kind it holds; a text where a number belongs is written
    // as its leading number, a font size with at most four decimals. Double
    // quotes and line breaks cannot be stored inside a text and are left out
    // (see unstorableTexts).
    static QByteArray write(const ConfigData& data);

    // The texts of data that write() cannot store as they are (holding a double
    // quote or a line break); empty when everything can be stored faithfully.
    static QStringList unstorableTexts(const ConfigData& data);

    // "2.5", "2.7", "2.8", or "" for the untagged layout.
    static QString layoutName(ConfigLayout layout);
};
