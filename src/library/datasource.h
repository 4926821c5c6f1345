#pragma once

#include <QObject>
#include <QString>

// A data source (`Data1`, `Data2`): a database file, a record source (a list name
// such as "ListaTitoli", or a query text) and the current row set with its current
// row, which the bound grid shows. No widget code. GUI thread only.
class DataSource : public QObject {
    Q_OBJECT
public:
    explicit DataSource(const QString& name, QObject* parent = nullptr);
    ~DataSource() override;

    void setDatabaseName(const QString& path) { databaseName_ = path; }
    QString databaseName() const { return databaseName_; }
    void setRecordSource(const QString& source) { recordSource_ = source; }
    QString recordSource() const { return recordSource_; }

    // Reloads the row set from the record source, first row current. False on
    // failure (the row set is then empty and lastError() says why).
    bool refresh();
    QString lastError() const { return lastError_; }

signals:
    void reloaded();

private:
    QString databaseName_;
    QString recordSource_ = QStringLiteral("ListaTitoli");
    QString lastError_;
};
