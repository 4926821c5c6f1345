#pragma once

// The library's part of the main window, built from bare widgets over a
// temporary working folder, as the main window wires it.
#include <QComboBox>
#include <QLabel>
#include <QRadioButton>
#include <QWidget>
#include <memory>

#include "config/sharedstate.h"
#include "library/aggiornadbg.h"
#include "library/columnwidthstore.h"
#include "library/datasource.h"
#include "library/filtrocartella.h"
#include "library/listchooser.h"
#include "library/mainlistquery.h"
#include "library/rowset.h"
#include "library/songgrid.h"
#include "library/songlabels.h"
#include "library/visualizza.h"
#include "platform/fileprobe.h"
#include "platform/prompter.h"
#include "templibrary.h"

// Keeps every message and answers OK.
class RecordingPrompter : public Prompter {
public:
    Message::Answer ask(const Message& message) override {
        messages.push_back(message);
        return Message::Answer::Ok;
    }
    std::vector<Message> messages;
};

struct MainList {
    TempLibrary lib;
    SharedState state;
    RecordingPrompter prompter;
    FileProbe probe;
    DataSource data1{QStringLiteral("Data1")};
    DataSource data2{QStringLiteral("Data2")};
    QWidget window;
    SongGrid* grid1 = new SongGrid(QStringLiteral("DBGrid1"), &window);
    SongGrid* grid2 = new SongGrid(QStringLiteral("DBGrid2"), &window);
    QLabel* numsongs = new QLabel(QStringLiteral("Songs: 0"), &window);
    QLabel* tit = new QLabel(&window);
    QLabel* aut = new QLabel(&window);
    QLabel* pag = new QLabel(&window);
    QLabel* cap = new QLabel(&window);
    QComboBox* cmb = new QComboBox(&window);
    QWidget* tappo = new QWidget(&window);
    QWidget* frame = new QWidget(&window);
    QRadioButton* visTutto = new QRadioButton(QStringLiteral("Mostra tutto [F9]"), frame);
    QRadioButton* visLoop = new QRadioButton(QStringLiteral("Loop [F11]"), frame);
    QRadioButton* visMp3 = new QRadioButton(QStringLiteral("Mp3 [F12]"), frame);
    QList<QAbstractButton*> filtro;

    std::unique_ptr<AggiornaDBG> aggiornaDBG, aggiornaDBG2;
    std::unique_ptr<SongLabels> labels;
    std::unique_ptr<ColumnWidthStore> widths;
    std::unique_ptr<ListChooser> chooser;
    std::unique_ptr<MainListQuery> query;
    std::unique_ptr<Visualizza> views;
    std::unique_ptr<FiltroCartella> filters;

    explicit MainList(const std::vector<SongRecord>& songs) {
        lib.create(songs);
        for (int i = 0; i < 10; ++i) {
            filtro << new QRadioButton(frame);
        }
        state.PathLavoro = lib.folder();
        state.setDefaultWidths();
        for (DataSource* d : {&data1, &data2}) {
            d->setDatabaseName(lib.folder() + QStringLiteral("songs.mdb"));
        }
        grid1->setDataSource(&data1);
        grid2->setDataSource(&data2);
        aggiornaDBG = std::make_unique<AggiornaDBG>(state, data1, *grid1, numsongs);
        aggiornaDBG2 = std::make_unique<AggiornaDBG>(state, data2, *grid2);
        labels = std::make_unique<SongLabels>(*grid1, tit, aut, pag, cap);
        widths = std::make_unique<ColumnWidthStore>(state, *grid1, *aggiornaDBG2);
        chooser = std::make_unique<ListChooser>(data1, *aggiornaDBG, *cmb, tappo, grid1);
        query = std::make_unique<MainListQuery>(state, data1, prompter, probe);
        views = std::make_unique<Visualizza>(data1, *aggiornaDBG, *query, visTutto, visLoop, visMp3,
                                             grid1);
        filters = std::make_unique<FiltroCartella>(state, *aggiornaDBG, *query, grid1, filtro);
        chooser->fill();
        chooser->select(0);
        aggiornaDBG2->run();
    }

    QStringList titles() {
        QStringList out;
        RowSet& rows = data1.recordset();
        for (int r = 0; r < rows.rowCount(); ++r) {
            out << rows.valueAt(r, rows.fieldIndex(QStringLiteral("Titoli"))).toString();
        }
        return out;
    }
};
