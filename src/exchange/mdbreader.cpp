#include "exchange/mdbreader.h"

// libmdb's header needs glib's types declared first.
#include <glib.h>
// clang-format off
#include <mdbtools.h>
// clang-format on

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <vector>

namespace {

// The largest value a bound column receives: libmdb writes at most this many
// bytes (a long memo is cut there, which is far beyond any song field).
constexpr int kBindSize = 16384;

QString native(const QString& path) {
    return QDir::toNativeSeparators(path);
}

MdbReader::Kind kindOf(int type) {
    switch (type) {
        case MDB_TEXT:
        case MDB_MEMO:
            return MdbReader::Kind::Text;
        case MDB_BYTE:
        case MDB_INT:
        case MDB_LONGINT:
        case MDB_MONEY:
        case MDB_FLOAT:
        case MDB_DOUBLE:
        case MDB_NUMERIC:
            return MdbReader::Kind::Number;
        case MDB_BOOL:
            return MdbReader::Kind::YesNo;
        default:
            return MdbReader::Kind::Other;
    }
}

}  // namespace

struct MdbReader::Impl {
    MdbHandle* mdb = nullptr;
    MdbTableDef* table = nullptr;
    std::vector<std::vector<char>> values;
    std::vector<int> lengths;

    void closeTable() {
        if (table) {
            mdb_free_tabledef(table);
            table = nullptr;
        }
        values.clear();
        lengths.clear();
    }
    ~Impl() {
        closeTable();
        if (mdb) {
            mdb_close(mdb);
        }
    }
};

MdbReader::MdbReader() : d_(std::make_unique<Impl>()) {}

MdbReader::~MdbReader() = default;

bool MdbReader::isAccessFile(const QString& path) {
    QFile f(path);
    if (!QFileInfo(path).isFile() || !f.open(QIODevice::ReadOnly)) {
        return false;
    }
    const QByteArray head = f.read(20);
    return head.size() == 20 &&
           (head.mid(4, 15) == "Standard Jet DB" || head.mid(4, 15) == "Standard ACE DB");
}

QString MdbReader::damagedText(const QString& path) {
    return QStringLiteral(
               "L'archivio Access \"%1\" non si può leggere: il file è "
               "danneggiato o incompleto.")
        .arg(native(path));
}

bool MdbReader::open(const QString& path, QString* error) {
    if (!isAccessFile(path)) {
        *error = QStringLiteral("Il file \"%1\" non è un archivio Access.").arg(native(path));
        return false;
    }
    d_ = std::make_unique<Impl>();
    d_->mdb = mdb_open(QFile::encodeName(path).constData(), MDB_NOFLAGS);
    if (!d_->mdb || !mdb_read_catalog(d_->mdb, MDB_ANY)) {
        *error = damagedText(path);
        d_ = std::make_unique<Impl>();
        return false;
    }
    mdb_set_bind_size(d_->mdb, kBindSize);
    mdb_set_boolean_fmt_numbers(d_->mdb);
    return true;
}

QString MdbReader::versionName() const {
    if (!d_->mdb) {
        return {};
    }
    switch (d_->mdb->f->jet_version) {
        case MDB_VER_JET3:
            return QStringLiteral("Jet 3 (Access 97)");
        case MDB_VER_JET4:
            return QStringLiteral("Jet 4 (Access 2000-2003)");
        default:
            return QStringLiteral("ACE (Access 2007 o successivo)");
    }
}

QStringList MdbReader::tables() const {
    QStringList out;
    if (!d_->mdb || !d_->mdb->catalog) {
        return out;
    }
    for (guint i = 0; i < d_->mdb->catalog->len; ++i) {
        auto* entry = static_cast<MdbCatalogEntry*>(g_ptr_array_index(d_->mdb->catalog, i));
        if (entry->object_type == MDB_TABLE && !mdb_is_system_table(entry)) {
            out << QString::fromUtf8(entry->object_name);
        }
    }
    return out;
}

QStringList MdbReader::queryTables(const QString& name) const {
    QStringList out;
    if (!d_->mdb || !d_->mdb->catalog) {
        return out;
    }
    // A saved query's parts are rows of the system table MSysQueries; attribute 5
    // names a table of its FROM part. The query is found by its name among the
    // catalogue's objects; its object id is the MSysObjects Id that the rows carry.
    long queryId = -1;
    for (guint i = 0; i < d_->mdb->catalog->len; ++i) {
        auto* entry = static_cast<MdbCatalogEntry*>(g_ptr_array_index(d_->mdb->catalog, i));
        if (entry->object_type == MDB_QUERY &&
            QString::fromUtf8(entry->object_name).compare(name, Qt::CaseInsensitive) == 0) {
            queryId = long(entry->table_pg & 0x00FFFFFF);
        }
    }
    if (queryId < 0) {
        return out;
    }
    MdbReader* self = const_cast<MdbReader*>(this);
    QString error;
    if (!self->openTable(QStringLiteral("MSysQueries"), &error)) {
        return out;
    }
    int attribute = -1, objectId = -1, name1 = -1;
    for (int i = 0; i < columns_.size(); ++i) {
        const QString c = columns_[i].name;
        if (c.compare(QStringLiteral("Attribute"), Qt::CaseInsensitive) == 0) {
            attribute = i;
        } else if (c.compare(QStringLiteral("ObjectId"), Qt::CaseInsensitive) == 0) {
            objectId = i;
        } else if (c.compare(QStringLiteral("Name1"), Qt::CaseInsensitive) == 0) {
            name1 = i;
        }
    }
    if (attribute < 0 || objectId < 0 || name1 < 0) {
        return out;
    }
    while (self->next()) {
        if (value(attribute).toInt() == 5 && value(objectId).toLong() == queryId &&
            !value(name1).isEmpty()) {
            out << value(name1);
        }
    }
    d_->closeTable();
    self->columns_.clear();
    return out;
}

bool MdbReader::openTable(const QString& name, QString* error) {
    d_->closeTable();
    columns_.clear();
    if (!d_->mdb) {
        *error = QStringLiteral("Nessun archivio Access aperto.");
        return false;
    }
    MdbCatalogEntry* found = nullptr;
    for (guint i = 0; d_->mdb->catalog && i < d_->mdb->catalog->len; ++i) {
        auto* entry = static_cast<MdbCatalogEntry*>(g_ptr_array_index(d_->mdb->catalog, i));
        if ((entry->object_type == MDB_TABLE || entry->object_type == MDB_SYSTEM_TABLE) &&
            QString::fromUtf8(entry->object_name).compare(name, Qt::CaseInsensitive) == 0) {
            found = entry;
            break;
        }
    }
    if (found) {
        d_->table = mdb_read_table(found);
    }
    // The columns libmdb actually read, not the count the file claims, size the
    // values; Jet never holds more than 255 of them.
    if (!d_->table || !mdb_read_columns(d_->table) || !d_->table->columns ||
        d_->table->columns->len > 255) {
        *error =
            QStringLiteral("La tabella \"%1\" dell'archivio Access non si può leggere.").arg(name);
        d_->closeTable();
        return false;
    }
    mdb_rewind_table(d_->table);
    const int n = int(d_->table->columns->len);
    d_->values.assign(n, std::vector<char>(kBindSize + 1, 0));
    d_->lengths.assign(n, 0);
    for (int i = 0; i < n; ++i) {
        auto* col = static_cast<MdbColumn*>(g_ptr_array_index(d_->table->columns, i));
        columns_.append({QString::fromUtf8(col->name), kindOf(col->col_type)});
        mdb_bind_column(d_->table, i + 1, d_->values[i].data(), &d_->lengths[i]);
    }
    return true;
}

quint32 MdbReader::rowCount() const {
    return d_->table ? quint32(d_->table->num_rows) : 0;
}

bool MdbReader::next() {
    if (!d_->table) {
        return false;
    }
    for (auto& v : d_->values) {
        v[0] = 0;
    }
    std::fill(d_->lengths.begin(), d_->lengths.end(), 0);
    return mdb_fetch_row(d_->table) != 0;
}

QString MdbReader::value(int i) const {
    if (i < 0 || i >= int(d_->values.size()) || d_->lengths[i] <= 0) {
        return {};
    }
    const std::vector<char>& v = d_->values[i];
    return QString::fromUtf8(v.data(), int(qstrnlen(v.data(), kBindSize)));
}
