#pragma once

#include <QString>
#include <memory>

class DataSource;
class FileProbe;
class Prompter;
class RowSet;
struct SharedState;

// Puts the result of a query over the library into the main list: opens the
// library file of the working folder (`PathLavoro` + "Songs.mdb", name matched
// without regard to case), runs the query text as a row set and gives it to
// `Data1`, whose record source then is the query text. A file that cannot be
// opened or a query that fails is reported in a message box naming the file, and
// the main list is left empty. GUI thread only.
class MainListQuery {
public:
    MainListQuery(SharedState& state, DataSource& data1, Prompter& prompter,
                  const FileProbe& probe);

    QString databasePath() const;
    // The query's rows, or null after the failure was reported and the list emptied.
    std::shared_ptr<RowSet> open(const QString& query);
    // open() and, on success, the rows given to `Data1`.
    bool apply(const QString& query);
    // Reports a failure on the library in a message box and empties the main list,
    // which keeps query as its record source.
    void fail(const QString& query, const QString& message);
    // Reports a failure on the library in a message box.
    void report(const QString& message);

private:
    SharedState& state_;
    DataSource& data1_;
    Prompter& prompter_;
    const FileProbe& probe_;
};
