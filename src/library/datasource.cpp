#include "library/datasource.h"

DataSource::DataSource(const QString& name, QObject* parent) : QObject(parent) {
    setObjectName(name);
}

DataSource::~DataSource() = default;

bool DataSource::refresh() {
    // The database layer is not wired in yet: nothing to load.
    lastError_.clear();
    emit reloaded();
    return true;
}
