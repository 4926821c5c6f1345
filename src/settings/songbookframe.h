#pragma once

#include <QGroupBox>
#include <QHash>
#include <QList>

#include "songbook/songbook.h"

class FileChooser;
class QComboBox;
class QListWidget;
class QPushButton;
class QSpinBox;

// The settings dialog's frame "Canzonieri": the PDF songbooks whose pages the stage
// view shows. The list (`ListaCanzonieri`) gives each book's file name and the PDF
// page that holds its printed page 1 ("prima pagina N"), a file that is not there
// marked "(manca)" but kept. "Aggiungi..." (`CmdAggiungiCanzoniere`) chooses a PDF
// through the file chooser and puts it last; "Togli" (`CmdTogliCanzoniere`), "Su"
// (`CmdSuCanzoniere`) and "Giù" (`CmdGiuCanzoniere`) act on the highlighted book: the
// first is the book of every song that names none. `SpinPrimaPagina` sets the
// highlighted book's first page (1 to 9999), `CmbAreaPagina` where the stage view
// shows the page. Nothing takes effect before the dialog's save. GUI thread only.
class SongbookFrame : public QGroupBox {
    Q_OBJECT
public:
    // Where the stage view shows a song's page, as stored.
    enum Area { kBeside = 0, kInstead = 1 };

    explicit SongbookFrame(FileChooser& chooser, QWidget* parent = nullptr);

    // Shows the books and the page area in force; the books' places now are the
    // numbers moves() starts from.
    void load(const QList<Songbook>& books, int pageArea);
    QList<Songbook> books() const { return books_; }
    int pageArea() const;
    // The books loaded that are no longer where they were, by their number then
    // (from 2: the first book's songs name none): their number now, or 0 for a book
    // taken out. Songs that name a book by its number follow it with these.
    QHash<int, int> moves() const;

    // A row of the list: "Libro.pdf - prima pagina 3", with " (manca)" after the
    // name of a file that is not there.
    static QString rowText(const Songbook& book);
    static QString chooserTitle() { return QStringLiteral("Aggiungi un canzoniere (PDF)"); }
    static QString chooserFilter() { return QStringLiteral("Canzonieri PDF (*.pdf *.PDF)"); }

private:
    void add();
    void remove();
    void move(int by);
    void firstPageChosen(int page);
    // Fills the list from books_ and highlights row (none when out of range).
    void refill(int row);
    void showSelection();
    int selectedRow() const;

    FileChooser& chooser_;
    QList<Songbook> books_;
    QList<int> origins_;    // each row's number at load (from 1); 0: added since
    int loaded_ = 0;        // how many books load() gave
    bool showing_ = false;  // the spin box is being set to the highlighted book
    QListWidget* list_ = nullptr;
    QPushButton* add_ = nullptr;
    QPushButton* remove_ = nullptr;
    QPushButton* up_ = nullptr;
    QPushButton* down_ = nullptr;
    QSpinBox* firstPage_ = nullptr;
    QComboBox* area_ = nullptr;
};
