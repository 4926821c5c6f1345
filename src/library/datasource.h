#pragma once

#include <QObject>
#include <QString>
#include <QVariant>
#include <memory>

#include "library/criterion.h"

class FileProbe;
class RowSet;
class SongDatabase;

// A data source (`Data1`, `Data2`): a database file, a record source (a list name
// such as "ListaTitoli", or a query text) and the current row set with its current
// row, which the bound grid shows. No widget code. GUI thread only.
class DataSource : public QObject {
    Q_OBJECT
public:
    explicit DataSource(const QString& name, QObject* parent = nullptr);
    ~DataSource() override;

    // The library file; its name is matched without regard to case ("songs.mdb"
    // finds Songs.mdb). Takes effect at the next refresh().
    void setDatabaseName(const QString& path);
    QString databaseName() const { return databaseName_; }
    // A list name or a query text; takes effect at the next refresh().
    void setRecordSource(const QString& source) { recordSource_ = source; }
    QString recordSource() const { return recordSource_; }

    // Reloads the row set from the record source, first row current. False on
    // failure (the row set is then empty and lastError() says why).
    bool refresh();
    QString lastError() const { return lastError_; }
    // The song id was added, changed or removed: the rows show it as a reload would,
    // without one, when the row set can (see RowSet::applyChange). False otherwise.
    bool applyChange(qint64 id);

    // The current row set; never null (empty before the first refresh).
    std::shared_ptr<RowSet> rowSet() const { return rows_; }
    RowSet& recordset() const { return *rows_; }
    // Puts rows in place of the row set; from then on their source (a query text)
    // is the record source, so a refresh keeps these rows. Null gives an empty set.
    void setRowSet(std::shared_ptr<RowSet> rows);
    int rowCount() const;

    // The current row, moved here so that the bound grid follows.
    int absolutePosition() const;  // -1 when there is no current row
    bool setAbsolutePosition(int position);
    void moveFirst();
    void moveNext();
    void movePrevious();
    void moveLast();
    bool bof() const;
    bool eof() const;
    // Find-first on the row set (see RowSet::findFirst); the grid follows a match.
    bool findFirst(const Criterion& criterion);
    bool findFirst(const QString& criterionText);
    // Makes the song with key id current; false (nothing moves) when not listed.
    bool moveToKey(qint64 id);
    // A field of the current row; null when null or when there is no current row.
    QVariant value(const QString& field) const;

    // The probe that matches the file name without regard to case (a default one
    // otherwise); it must outlive this object.
    void setFileProbe(const FileProbe* probe) { probe_ = probe; }

signals:
    // The row set was reloaded or replaced.
    void reloaded();
    // The current row moved (also after a reload); -1 when there is none.
    void currentRowChanged(int position);

private:
    std::shared_ptr<SongDatabase> connect(QString* error);
    void moved(int before);

    QString databaseName_;
    QString recordSource_ = QStringLiteral("ListaTitoli");
    QString lastError_;
    std::shared_ptr<SongDatabase> db_;
    std::shared_ptr<RowSet> rows_;
    const FileProbe* probe_ = nullptr;
    bool fresh_ = false;  // rows given by setRowSet() and not reloaded since
};
