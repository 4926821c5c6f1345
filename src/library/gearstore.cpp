#include "library/gearstore.h"

#include <optional>

#include "library/eachrow.h"
#include "library/geartext.h"
#include "library/songdatabase.h"
#include "library/sqlstatement.h"

namespace GearStore {

namespace {

const QString kProgram = QStringLiteral("Programma");
const QString kControl = QStringLiteral("Controllo");
const QString kSysEx = QStringLiteral("SysEx");

const QString kColumns =
    QStringLiteral("Brano, Tipo, Porta, Canale, BancoMsb, BancoLsb, Numero, Valore, SysEx");

// A small whole number from a column another client may have filled with
// anything: null gives -1 when allowed; a text, a fraction or a value far out of
// range gives nothing.
std::optional<int> small(const SqlStatement& q, int column, bool nullAllowed) {
    const QVariant v = q.value(column);
    if (v.isNull()) {
        return nullAllowed ? std::optional<int>(-1) : std::nullopt;
    }
    if (v.typeId() != QMetaType::LongLong) {
        return std::nullopt;
    }
    const qint64 n = v.toLongLong();
    return n >= -1 && n <= 255 ? std::optional<int>(int(n)) : std::nullopt;
}

// The message of a row that selected kColumns, or nothing when it cannot be sent.
std::optional<GearMessage> messageOf(const SqlStatement& q) {
    GearMessage m;
    const QString kind = q.value(1).toString();
    m.port = q.value(2).toString();
    if (kind == kSysEx) {
        m.kind = GearMessage::Kind::SysEx;
        const std::optional<QByteArray> b =
            q.isText(8) ? GearText::bytes(q.value(8).toString()) : std::nullopt;
        if (!b) {
            return std::nullopt;
        }
        m.sysEx = *b;
    } else if (kind == kProgram || kind == kControl) {
        const bool program = kind == kProgram;
        m.kind = program ? GearMessage::Kind::Program : GearMessage::Kind::Control;
        const auto channel = small(q, 3, false);
        const auto msb = program ? small(q, 4, true) : -1;
        const auto lsb = program ? small(q, 5, true) : -1;
        const auto number = small(q, 6, false);
        const auto value = program ? 0 : small(q, 7, false);
        if (!channel || !msb || !lsb || !number || !value) {
            return std::nullopt;
        }
        m.channel = *channel;
        m.bankMsb = *msb;
        m.bankLsb = *lsb;
        m.number = *number;
        m.value = *value;
    } else {
        return std::nullopt;
    }
    if (m.wire().empty()) {
        return std::nullopt;
    }
    return m;
}

template <class Row>
bool each(SongDatabase& db, const QString& sql, qint64 song, QString* error, Row row) {
    return eachRow(db, 3, sql, song, error, row);
}

}  // namespace

GearMessages read(SongDatabase& db, qint64 song, QString* error) {
    GearMessages out;
    const bool ok = each(db,
                         QStringLiteral("SELECT %1 FROM %2 WHERE Brano = ? ORDER BY Ordine, Id")
                             .arg(kColumns, kMessages),
                         song, error, [&](const SqlStatement& q) {
                             if (const auto m = messageOf(q)) {
                                 out << *m;
                             }
                         });
    return ok ? out : GearMessages();
}

QHash<qint64, GearMessages> readAll(SongDatabase& db, QString* error) {
    QHash<qint64, GearMessages> out;
    const bool ok = each(
        db, QStringLiteral("SELECT %1 FROM %2 ORDER BY Brano, Ordine, Id").arg(kColumns, kMessages),
        -1, error, [&](const SqlStatement& q) {
            if (const auto m = messageOf(q)) {
                out[q.integer(0)] << *m;
            }
        });
    return ok ? out : QHash<qint64, GearMessages>();
}

QHash<qint64, QStringList> portsBySong(SongDatabase& db, QString* error) {
    QHash<qint64, QStringList> out;
    const bool ok =
        each(db,
             QStringLiteral("SELECT Brano, Porta FROM %1 WHERE Porta <> '' "
                            "GROUP BY Brano, Porta ORDER BY Brano, min(Ordine)")
                 .arg(kMessages),
             -1, error, [&](const SqlStatement& q) { out[q.integer(0)] << q.value(1).toString(); });
    return ok ? out : QHash<qint64, QStringList>();
}

QSet<QString> countingFromOne(SongDatabase& db, QString* error) {
    QSet<QString> out;
    const bool ok =
        each(db, QStringLiteral("SELECT Nome FROM %1 WHERE ProgrammiDaUno <> 0").arg(kPorts), -1,
             error, [&](const SqlStatement& q) { out << q.value(0).toString(); });
    return ok ? out : QSet<QString>();
}

bool write(SongDatabase& db, qint64 song, const GearMessages& messages, QString* why) {
    SqlStatement remove(db.handle(),
                        QStringLiteral("DELETE FROM %1 WHERE Brano = ?").arg(kMessages));
    remove.bind(1, song);
    if (!remove.run()) {
        *why = remove.error();
        return false;
    }
    if (messages.isEmpty()) {
        return true;
    }
    SqlStatement insert(db.handle(),
                        QStringLiteral("INSERT INTO %1 (Ordine, %2) VALUES (?,?,?,?,?,?,?,?,?,?)")
                            .arg(kMessages, kColumns));
    const auto optional = [](int v) { return v < 0 ? QVariant() : QVariant(qlonglong(v)); };
    for (int i = 0; i < messages.size(); ++i) {
        const GearMessage& m = messages[i];
        const bool program = m.kind == GearMessage::Kind::Program;
        const bool sysEx = m.kind == GearMessage::Kind::SysEx;
        insert.bind(1, qlonglong(i + 1));
        insert.bind(2, song);
        insert.bind(3, program ? kProgram : sysEx ? kSysEx : kControl);
        insert.bind(4, m.port);
        insert.bind(5, sysEx ? QVariant() : QVariant(qlonglong(m.channel)));
        insert.bind(6, program ? optional(m.bankMsb) : QVariant());
        insert.bind(7, program ? optional(m.bankLsb) : QVariant());
        insert.bind(8, sysEx ? QVariant() : QVariant(qlonglong(m.number)));
        insert.bind(
            9, m.kind == GearMessage::Kind::Control ? QVariant(qlonglong(m.value)) : QVariant());
        insert.bind(10, sysEx ? QVariant(GearText::hex(m.sysEx)) : QVariant());
        if (!insert.run()) {
            *why = insert.error();
            return false;
        }
        insert.reset();
    }
    return true;
}

bool setCountsFromOne(SongDatabase& db, const QString& port, bool fromOne, QString* why) {
    SqlStatement q(
        db.handle(),
        QStringLiteral("INSERT INTO %1 (Nome, ProgrammiDaUno) VALUES (?, ?) "
                       "ON CONFLICT(Nome) DO UPDATE SET ProgrammiDaUno = excluded.ProgrammiDaUno")
            .arg(kPorts));
    q.bind(1, port);
    q.bind(2, qlonglong(fromOne ? 1 : 0));
    if (!q.run()) {
        *why = q.error();
        return false;
    }
    return true;
}

}  // namespace GearStore
