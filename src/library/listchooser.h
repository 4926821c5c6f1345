#pragma once

#include <QObject>
#include <QPointer>
#include <QString>
#include <array>

class AggiornaDBG;
class DataSource;
class Prompter;
class QComboBox;
class QWidget;

// The list chooser `CmbScalette`: its seven entries and what choosing one does
// (record source of `Data1`, `AggiornaDBG`, the cover panel `Tappo` shown over the
// view and filter buttons for a running order, hidden for an alphabetical list,
// the focus to `DBGrid1`). A list that cannot be read is reported in a message box:
// the grid is then empty, and the user must know why. GUI thread only.
class ListChooser : public QObject {
    Q_OBJECT
public:
    struct Entry {
        QString text;          // exact entry text, e.g. " Scaletta 1  [F1]"
        QString recordSource;  // e.g. "Scaletta1"
        bool tappo;            // `Tappo` shown while this list is in `DBGrid1`
        int key;               // Qt key that chooses it (Qt::Key_F1 ...)
    };
    static const std::array<Entry, 7>& entries();
    // The index of an entry text (exact, case and blanks included), -1 for none.
    static int indexOf(const QString& text);
    // The index of the entry a function key chooses, -1 for none.
    static int indexOfKey(int qtKey);

    // Connects to the combo box's user choices (also of the entry already shown).
    ListChooser(DataSource& data1, AggiornaDBG& aggiornaDBG, QComboBox& cmbScalette, QWidget* tappo,
                QWidget* dbgrid1, QObject* parent = nullptr);

    // Where a list that cannot be read is reported (none: not reported).
    void setPrompter(Prompter* prompter) { prompter_ = prompter; }

    // Clears the combo box and adds the seven entries in order (nothing selected).
    void fill();
    // fill() and the first entry chosen, a failure not reported: start-up and the
    // settings' save report the library themselves.
    void reset();
    // Puts entry index in the combo box and chooses it (start-up, function keys).
    void select(int index);
    // The choice handler: acts on the combo box's text; a text that is no entry
    // only moves the focus to `DBGrid1`.
    void choose();

private:
    DataSource& data1_;
    AggiornaDBG& aggiornaDBG_;
    QComboBox& cmb_;
    QPointer<QWidget> tappo_;
    QPointer<QWidget> grid_;
    Prompter* prompter_ = nullptr;
    bool quiet_ = false;
};
