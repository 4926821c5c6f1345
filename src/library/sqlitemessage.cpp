#include "library/sqlitemessage.h"

#include <sqlite3.h>

namespace SqliteMessage {

bool isBusy(int code) {
    const int primary = code & 0xFF;
    return primary == SQLITE_BUSY || primary == SQLITE_LOCKED;
}

QString text(int code) {
    if (isBusy(code)) {
        return QStringLiteral(
            "l'archivio è in uso da un altro programma. Riprovare tra poco, o chiudere "
            "l'altro programma.");
    }
    switch (code & 0xFF) {
        case SQLITE_NOTADB:
            return QStringLiteral("il file non è un archivio di brani di questo programma.");
        case SQLITE_CORRUPT:
            return QStringLiteral("il file è danneggiato.");
        case SQLITE_CANTOPEN:
            return QStringLiteral("il file non si può aprire.");
        case SQLITE_READONLY:
        case SQLITE_PERM:
        case SQLITE_AUTH:
            return QStringLiteral("il file si può solo leggere, non modificare.");
        case SQLITE_FULL:
            return QStringLiteral("il disco è pieno.");
        case SQLITE_IOERR:
            return QStringLiteral("errore di lettura o di scrittura sul disco.");
        case SQLITE_NOMEM:
            return QStringLiteral("memoria insufficiente.");
        case SQLITE_CONSTRAINT:
            return QStringLiteral("il valore non è ammesso in questo campo.");
        case SQLITE_TOOBIG:
            return QStringLiteral("il testo è troppo lungo.");
        case SQLITE_ERROR:
            return QStringLiteral(
                "la richiesta non si può eseguire su questo archivio (manca un elenco o un "
                "campo, o la richiesta non è valida).");
        default:
            return QStringLiteral("errore dell'archivio (codice %1).").arg(code);
    }
}

}  // namespace SqliteMessage
