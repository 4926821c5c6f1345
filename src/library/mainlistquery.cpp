#include "library/mainlistquery.h"

#include "config/sharedstate.h"
#include "library/datasource.h"
#include "library/rowset.h"
#include "library/songdatabase.h"
#include "platform/fileprobe.h"
#include "platform/prompter.h"

MainListQuery::MainListQuery(SharedState& state, DataSource& data1, Prompter& prompter,
                             const FileProbe& probe)
    : state_(state), data1_(data1), prompter_(prompter), probe_(probe) {}

QString MainListQuery::databasePath() const {
    return SongDatabase::locate(state_.PathLavoro, probe_);
}

std::shared_ptr<RowSet> MainListQuery::open(const QString& query) {
    QString error;
    std::shared_ptr<SongDatabase> db = SongDatabase::open(databasePath(), &error);
    if (!db) {
        fail(query, error);
        return nullptr;
    }
    std::shared_ptr<RowSet> rows = RowSet::open(db, query);
    if (!rows->error().isEmpty()) {
        fail(query, rows->error());
        return nullptr;
    }
    return rows;
}

bool MainListQuery::apply(const QString& query) {
    std::shared_ptr<RowSet> rows = open(query);
    if (!rows) {
        return false;
    }
    data1_.setRowSet(rows);
    return true;
}

void MainListQuery::fail(const QString& query, const QString& message) {
    data1_.setRowSet(RowSet::empty(query, message));
    report(message);
}

void MainListQuery::report(const QString& message) {
    prompter_.tell(message, {}, Message::Icon::Critical);
}
