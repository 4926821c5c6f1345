#pragma once

#include <QList>
#include <QObject>
#include <QPointer>

class AggiornaDBG;
class MainListQuery;
class QAbstractButton;
class QWidget;
class RowSet;
struct SharedState;

// The folder filters `Filtro(0)` .. `Filtro(9)`: list the MP3 songs whose file
// lies, under exactly its name (case included), in MP3 folder `CartelleMp3(i)`.
// A marking pass over the MP3 songs sets their `Temp` mark (-1 there, 0 not),
// in one transaction; the marked songs are then listed, `AggiornaDBG` runs and
// `DBGrid1` gets the focus. Only MP3 songs are re-marked: other songs keep their
// mark. GUI thread only.
class FiltroCartella : public QObject {
    Q_OBJECT
public:
    static inline const QString kMarkQuery =
        QStringLiteral("SELECT * FROM ListaTitoli WHERE Loop = 0 AND Len(Groove1) >4 ");
    static inline const QString kResultQuery =
        QStringLiteral("SELECT * FROM ListaTitoli WHERE Temp = -1");

    // buttons: the ten option buttons (any may be null); a click on button i runs
    // filtro(i).
    FiltroCartella(SharedState& state, AggiornaDBG& aggiornaDBG, MainListQuery& query,
                   QWidget* dbgrid1, const QList<QAbstractButton*>& buttons = {},
                   QObject* parent = nullptr);

    void filtro(int index);

private:
    bool mark(RowSet& rows, const QString& folder);

    SharedState& state_;
    AggiornaDBG& aggiornaDBG_;
    MainListQuery& query_;
    QPointer<QWidget> grid_;
};
