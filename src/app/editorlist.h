#pragma once

#include "editor/shownlist.h"

class DataSource;
class ListChooser;

// The main list `Data1` as the song editor sees it; showing a song there chooses
// the alphabetical list of titles (as F8 does) and highlights the song.
// GUI thread only.
class EditorList : public ShownList {
public:
    EditorList(DataSource& data1, ListChooser& lists) : data1_(data1), lists_(lists) {}

    bool holds(qint64 song) const override;
    QString name() const override;
    void showInTitles(qint64 song) override;

private:
    DataSource& data1_;
    ListChooser& lists_;
};
