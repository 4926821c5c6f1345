#pragma once

#include <QString>
#include <QStringView>
#include <string>
#include <string_view>

// The text key by which the library sorts and searches: case-insensitive, with each
// accented letter counted as its base letter ("È la pioggia" sorts with "e la
// pioggia"). Keys are UTF-8 and compare byte by byte, so the database's plain
// ordering of stored keys, this program's in-memory searches and the SQL function
// and collation registered on every connection all agree. Any thread.
namespace SongFold {

// The key of a UTF-8 text.
std::string key(std::string_view utf8);
// The key of a text.
std::string key(QStringView text);
// Compares two UTF-8 texts by their keys: <0, 0 or >0.
int compare(std::string_view a, std::string_view b);

}  // namespace SongFold
