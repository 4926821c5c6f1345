#pragma once

// Even loudness in the tests: the option switched on in the configuration file as the
// settings dialog stores it, and a look at what the library file holds.
#include <QFile>

#include "config/configcodec.h"
#include "library/songdatabase.h"
#include "support/harness.h"
#include "support/plainsqlite.h"

namespace levelling {

// Rewrites the harness's configuration with "Livella il volume" ticked.
inline void switchOn(Harness& h, double target = -16, double ceiling = -1) {
    QFile f(h.configPath());
    f.open(QIODevice::ReadOnly);
    ConfigData d = ConfigCodec::read(f.readAll()).data;
    f.close();
    d.levelOn = -1;
    d.levelTarget = target;
    d.levelCeiling = ceiling;
    h.writeConfig(ConfigCodec::write(d), false);
}

// The loudness the library file holds of the file whose path ends in name ("" when
// it holds none, "null" when the file could not be measured).
inline QString stored(Harness& h, const QString& name) {
    PlainSqlite db(h.workDir() + SongDatabase::kFileName);
    const QString v = db.value(
        QStringLiteral("SELECT coalesce(Lufs, 'null') FROM LivelliFile WHERE Percorso LIKE '%%1'")
            .arg(name));
    return v;
}

}  // namespace levelling
