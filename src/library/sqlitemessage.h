#pragma once

#include <QString>

// The Italian words for what went wrong in the database engine, so that no message
// shows the engine's own English text: one short clause per kind of failure, made
// to follow "…: " in a message that names the file. Any thread.
namespace SqliteMessage {

// The clause for a result code of the engine (primary or extended), e.g. "il file
// è danneggiato." for a corrupt file.
QString text(int code);
// True when the code says that another program holds the file (try again later).
bool isBusy(int code);

}  // namespace SqliteMessage
