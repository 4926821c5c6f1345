#include "library/datasource.h"

#include "library/rowset.h"
#include "library/songdatabase.h"
#include "platform/fileprobe.h"

DataSource::DataSource(const QString& name, QObject* parent)
    : QObject(parent), rows_(RowSet::empty(recordSource_)) {
    setObjectName(name);
}

DataSource::~DataSource() = default;

void DataSource::setDatabaseName(const QString& path) {
    if (path != databaseName_) {
        db_.reset();
    }
    databaseName_ = path;
}

std::shared_ptr<SongDatabase> DataSource::connect(QString* error) {
    static const FileProbe defaultProbe;
    const FileProbe& probe = probe_ ? *probe_ : defaultProbe;
    const QString resolved = probe.resolve(databaseName_);
    const QString path = resolved.isEmpty() ? databaseName_ : resolved;
    // Opened afresh each time (a fraction of a millisecond): a file replaced since
    // the last reload is then read as it is now.
    db_.reset();
    if (databaseName_.isEmpty()) {
        *error = QStringLiteral("Nessun archivio dei brani indicato.");
        return nullptr;
    }
    db_ = SongDatabase::open(path, error);
    return db_;
}

bool DataSource::refresh() {
    if (fresh_ && rows_->source() == recordSource_ && rows_->isUnchanged()) {
        // Rows just given by a query and nothing written since: the reload would
        // read the very same rows.
        fresh_ = false;
        rows_->moveFirst();
        lastError_ = rows_->error();
        emit reloaded();
        emit currentRowChanged(absolutePosition());
        return lastError_.isEmpty();
    }
    fresh_ = false;
    QString error;
    std::shared_ptr<SongDatabase> db = connect(&error);
    rows_ = db ? RowSet::open(db, recordSource_) : RowSet::empty(recordSource_, error);
    lastError_ = rows_->error();
    emit reloaded();
    emit currentRowChanged(absolutePosition());
    return lastError_.isEmpty();
}

bool DataSource::applyChange(qint64 id) {
    if (fresh_ || !rows_->applyChange(id)) {
        return false;
    }
    emit reloaded();
    emit currentRowChanged(absolutePosition());
    return true;
}

void DataSource::setRowSet(std::shared_ptr<RowSet> rows) {
    rows_ = rows ? std::move(rows) : RowSet::empty(recordSource_);
    recordSource_ = rows_->source();
    fresh_ = rows_->error().isEmpty() && rows_->database() != nullptr;
    lastError_ = rows_->error();
    emit reloaded();
    emit currentRowChanged(absolutePosition());
}

int DataSource::rowCount() const {
    return rows_->rowCount();
}

int DataSource::absolutePosition() const {
    return rows_->absolutePosition();
}

void DataSource::moved(int before) {
    const int now = absolutePosition();
    if (now != before) {
        emit currentRowChanged(now);
    }
}

bool DataSource::setAbsolutePosition(int position) {
    const int before = absolutePosition();
    const bool ok = rows_->setAbsolutePosition(position);
    moved(before);
    return ok;
}

void DataSource::moveFirst() {
    const int before = absolutePosition();
    rows_->moveFirst();
    moved(before);
}

void DataSource::moveNext() {
    const int before = absolutePosition();
    rows_->moveNext();
    moved(before);
}

void DataSource::movePrevious() {
    const int before = absolutePosition();
    rows_->movePrevious();
    moved(before);
}

void DataSource::moveLast() {
    const int before = absolutePosition();
    rows_->moveLast();
    moved(before);
}

bool DataSource::bof() const {
    return rows_->bof();
}

bool DataSource::eof() const {
    return rows_->eof();
}

bool DataSource::findFirst(const Criterion& criterion) {
    const int before = absolutePosition();
    const bool found = rows_->findFirst(criterion);
    moved(before);
    return found;
}

bool DataSource::findFirst(const QString& criterionText) {
    const int before = absolutePosition();
    const bool found = rows_->findFirst(criterionText);
    moved(before);
    return found;
}

bool DataSource::moveToKey(qint64 id) {
    if (id < 0) {
        return false;
    }
    if (rows_->keyColumn() < 0) {
        return findFirst(Criterion{SongDatabase::kKeyField, Criterion::Op::Equal, QVariant(id)});
    }
    const int row = rows_->rowOfKey(id);
    return row >= 0 && setAbsolutePosition(row);
}

QVariant DataSource::value(const QString& field) const {
    return rows_->value(field);
}
