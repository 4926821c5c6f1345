#pragma once

#include <QString>

// What the song editor needs of the main window's list: whether it shows a song,
// what it is called, and bringing a song into view in the list of all titles.
// GUI thread only.
class ShownList {
public:
    virtual ~ShownList() = default;
    virtual bool holds(qint64 song) const = 0;
    // E.g. "Scaletta 2", "elenco per titolo".
    virtual QString name() const = 0;
    virtual void showInTitles(qint64 song) = 0;
};
