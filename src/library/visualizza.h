#pragma once

#include <QObject>
#include <QPointer>

class AggiornaDBG;
class DataSource;
class MainListQuery;
class QAbstractButton;
class QWidget;

// The views of the main list, chosen with the option buttons `VisTutto`,
// `VisLoop` and `VisMp3`: `Visualizzaloop` lists the WAV-loop songs when `VisLoop`
// is selected and every song otherwise; `Visualizzamp3` lists the MP3 songs when
// `VisMp3` is selected. Each then runs `AggiornaDBG` and gives `DBGrid1` the focus.
// GUI thread only.
class Visualizza : public QObject {
    Q_OBJECT
public:
    static inline const QString kLoopQuery =
        QStringLiteral("SELECT * FROM ListaTitoli WHERE Loop = -1 OR Groove1 = NULL");
    static inline const QString kMp3Query =
        QStringLiteral("SELECT * FROM ListaTitoli WHERE Loop = 0 AND Len(Groove1) >4");

    // Connects to the buttons' clicks (a click on a button already selected runs
    // its view again).
    Visualizza(DataSource& data1, AggiornaDBG& aggiornaDBG, MainListQuery& query,
               QAbstractButton* visTutto, QAbstractButton* visLoop, QAbstractButton* visMp3,
               QWidget* dbgrid1, QObject* parent = nullptr);

    void visualizzaloop();
    void visualizzamp3();

private:
    void show(QAbstractButton* button, const QString& query);

    DataSource& data1_;
    AggiornaDBG& aggiornaDBG_;
    MainListQuery& query_;
    QPointer<QAbstractButton> visLoop_, visMp3_;
    QPointer<QWidget> grid_;
};
