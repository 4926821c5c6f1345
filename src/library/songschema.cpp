#include "library/songschema.h"

namespace {

QStringList version1() {
    // The song fields every record source shows, in grid order, then the sort keys
    // (which the grids do not show).
    const QString kViewFields = SongSchema::fields().join(QStringLiteral(", ")) +
                                QStringLiteral(", ChiaveTitoli, ChiaveAutore");
    QStringList sql = {
        QStringLiteral("CREATE TABLE Brani ("
                       "Id INTEGER PRIMARY KEY, "
                       "Titoli TEXT NOT NULL DEFAULT '', "
                       "Autore TEXT, "
                       "Pagina INTEGER DEFAULT 0, "
                       "Capotasto TEXT, "
                       "BPM NUMERIC DEFAULT 0, "
                       "Loop INTEGER NOT NULL DEFAULT 0, "
                       "Groove1 TEXT, "
                       "Groove2 TEXT, "
                       "Sca1 INTEGER, Sca2 INTEGER, Sca3 INTEGER, Sca4 INTEGER, Sca5 INTEGER, "
                       "Temp INTEGER NOT NULL DEFAULT 0, "
                       // Sort keys (title and author without case and accents), kept
                       // by the triggers below.
                       "ChiaveTitoli TEXT NOT NULL DEFAULT '', "
                       "ChiaveAutore TEXT)"),
        QStringLiteral("CREATE TRIGGER BraniChiaviNuove AFTER INSERT ON Brani "
                       "WHEN NEW.ChiaveTitoli IS NOT Piega(NEW.Titoli) "
                       "OR NEW.ChiaveAutore IS NOT Piega(NEW.Autore) BEGIN "
                       "UPDATE Brani SET ChiaveTitoli = Piega(NEW.Titoli), "
                       "ChiaveAutore = Piega(NEW.Autore) WHERE Id = NEW.Id; END"),
        QStringLiteral("CREATE TRIGGER BraniChiaviModificate AFTER UPDATE OF Titoli, Autore, "
                       "ChiaveTitoli, ChiaveAutore ON Brani BEGIN "
                       "UPDATE Brani SET ChiaveTitoli = Piega(NEW.Titoli), "
                       "ChiaveAutore = Piega(NEW.Autore) WHERE Id = NEW.Id; END"),
        QStringLiteral("CREATE INDEX BraniPerTitolo ON Brani(ChiaveTitoli)"),
        QStringLiteral("CREATE INDEX BraniPerAutore ON Brani(ChiaveAutore, ChiaveTitoli)"),
        QStringLiteral("CREATE VIEW ListaTitoli AS SELECT %1 FROM Brani "
                       "ORDER BY ChiaveTitoli, Id")
            .arg(kViewFields),
        QStringLiteral("CREATE VIEW ListaAutore AS SELECT %1 FROM Brani "
                       "ORDER BY ChiaveAutore, ChiaveTitoli, Id")
            .arg(kViewFields),
    };
    for (int n = 1; n <= 5; ++n) {
        sql << QStringLiteral("CREATE INDEX BraniScaletta%1 ON Brani(Sca%1) WHERE Sca%1 > 0").arg(n)
            << QStringLiteral(
                   "CREATE VIEW Scaletta%1 AS SELECT %2 FROM Brani WHERE Sca%1 > 0 "
                   "ORDER BY Sca%1, ChiaveTitoli, Id")
                   .arg(n)
                   .arg(kViewFields);
    }
    // Every record source accepts updates in plain SQL too, written to the song table.
    QStringList sets;
    for (const QString& f : SongSchema::fields().mid(1)) {
        sets << QStringLiteral("%1 = NEW.%1").arg(f);
    }
    QStringList views = {QStringLiteral("ListaTitoli"), QStringLiteral("ListaAutore")};
    for (int n = 1; n <= 5; ++n) {
        views << QStringLiteral("Scaletta%1").arg(n);
    }
    for (const QString& view : views) {
        sql << QStringLiteral(
                   "CREATE TRIGGER %1Aggiorna INSTEAD OF UPDATE ON %1 BEGIN "
                   "UPDATE Brani SET %2 WHERE Id = OLD.Id; END")
                   .arg(view, sets.join(QStringLiteral(", ")));
    }
    return sql;
}

// Version 2: the file stays writable by any SQLite client, which knows nothing of
// this program's key function. The triggers that remade the sort keys on every
// change are replaced by plain ones that only note which songs were added or had
// their title or author changed; the program remakes those keys when it opens the
// file (SongDatabase::repairKeys).
QStringList version2() {
    const QString note = QStringLiteral("BEGIN INSERT OR IGNORE INTO %1 (Id) VALUES (NEW.Id); END")
                             .arg(SongSchema::kKeysToRemake);
    return {
        QStringLiteral("DROP TRIGGER IF EXISTS BraniChiaviNuove"),
        QStringLiteral("DROP TRIGGER IF EXISTS BraniChiaviModificate"),
        QStringLiteral("CREATE TABLE %1 (Id INTEGER PRIMARY KEY)").arg(SongSchema::kKeysToRemake),
        QStringLiteral("CREATE TRIGGER BraniNuovi AFTER INSERT ON Brani ") + note,
        QStringLiteral("CREATE TRIGGER BraniModificati AFTER UPDATE OF Titoli, Autore, "
                       "ChiaveTitoli, ChiaveAutore ON Brani ") +
            note,
    };
}

// Version 3: the messages a song sends to other gear on stage, one row per message
// in its order, and per output port whether its device counts programs from 1.
// Values are stored as they go on the wire. A song's messages go with it, whoever
// removes it; a new song never finds messages left under its key.
QStringList version3() {
    return {
        QStringLiteral("CREATE TABLE MessaggiMidi ("
                       "Id INTEGER PRIMARY KEY, "
                       "Brano INTEGER NOT NULL, "
                       "Ordine INTEGER NOT NULL, "
                       "Tipo TEXT NOT NULL, "  // Programma, Controllo, SysEx
                       "Porta TEXT NOT NULL DEFAULT '', "
                       "Canale INTEGER, "  // 1 to 16; null for SysEx
                       "BancoMsb INTEGER, BancoLsb INTEGER, "
                       "Numero INTEGER, "  // the program or the controller
                       "Valore INTEGER, "
                       "SysEx TEXT)"),  // hex bytes, "F0 ... F7"
        QStringLiteral("CREATE INDEX MessaggiMidiPerBrano ON MessaggiMidi(Brano, Ordine)"),
        QStringLiteral("CREATE TABLE PorteMidi ("
                       "Nome TEXT PRIMARY KEY, "
                       "ProgrammiDaUno INTEGER NOT NULL DEFAULT 0)"),
        QStringLiteral("CREATE TRIGGER BraniToltiMidi AFTER DELETE ON Brani BEGIN "
                       "DELETE FROM MessaggiMidi WHERE Brano = OLD.Id; END"),
        QStringLiteral("CREATE TRIGGER BraniNuoviMidi AFTER INSERT ON Brani BEGIN "
                       "DELETE FROM MessaggiMidi WHERE Brano = NEW.Id; END"),
    };
}

// Version 4: the loudness of each audio file as last measured (with the size and time
// of the file then, so that a file changed on disk is measured again, and why one
// could not be measured), and each song's own trim of it in decibels.
QStringList version4() {
    return {
        QStringLiteral("CREATE TABLE LivelliFile ("
                       "Percorso TEXT PRIMARY KEY, "
                       "Dimensione INTEGER NOT NULL, "
                       "Modificato INTEGER NOT NULL, "  // ms since 1970, UTC
                       "Lufs REAL, "                    // null: not measurable
                       "Picco REAL, "                   // true peak, dBTP
                       "Motivo TEXT)"),                 // why it could not be measured
        QStringLiteral("CREATE TABLE LivelliBrano ("
                       "Brano INTEGER PRIMARY KEY, "
                       "Correzione REAL NOT NULL DEFAULT 0)"),
        QStringLiteral("CREATE TRIGGER BraniToltiLivelli AFTER DELETE ON Brani BEGIN "
                       "DELETE FROM LivelliBrano WHERE Brano = OLD.Id; END"),
        QStringLiteral("CREATE TRIGGER BraniNuoviLivelli AFTER INSERT ON Brani BEGIN "
                       "DELETE FROM LivelliBrano WHERE Brano = NEW.Id; END"),
    };
}

// Version 5: the songbook each song's page refers to, when it is not the first of the
// settings (numbered from 1 in the settings' order). A song's choice goes with it.
QStringList version5() {
    return {
        QStringLiteral("CREATE TABLE CanzoniereBrano ("
                       "Brano INTEGER PRIMARY KEY, "
                       "Canzoniere INTEGER NOT NULL)"),
        QStringLiteral("CREATE TRIGGER BraniToltiCanzoniere AFTER DELETE ON Brani BEGIN "
                       "DELETE FROM CanzoniereBrano WHERE Brano = OLD.Id; END"),
        QStringLiteral("CREATE TRIGGER BraniNuoviCanzoniere AFTER INSERT ON Brani BEGIN "
                       "DELETE FROM CanzoniereBrano WHERE Brano = NEW.Id; END"),
    };
}

}  // namespace

namespace SongSchema {

QStringList migration(int from) {
    switch (from) {
        case 0:
            return version1();
        case 1:
            return version2();
        case 2:
            return version3();
        case 3:
            return version4();
        case 4:
            return version5();
        default:
            return {};
    }
}

const QStringList& fields() {
    static const QStringList list = QStringList{
        QStringLiteral("Id"),     QStringLiteral("Titoli"),    QStringLiteral("Autore"),
        QStringLiteral("Pagina"), QStringLiteral("Capotasto"), QStringLiteral("BPM"),
        QStringLiteral("Loop"),   QStringLiteral("Groove1"),   QStringLiteral("Groove2"),
        QStringLiteral("Sca1"),   QStringLiteral("Sca2"),      QStringLiteral("Sca3"),
        QStringLiteral("Sca4"),   QStringLiteral("Sca5"),      QStringLiteral("Temp")};
    return list;
}

}  // namespace SongSchema
