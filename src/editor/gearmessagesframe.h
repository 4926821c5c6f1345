#pragma once

#include <QGroupBox>
#include <QList>
#include <QSet>
#include <QStringList>
#include <optional>

#include "library/gearmessage.h"

class GearOutput;
class GuardedDialog;
class LibraryWriter;
class Prompter;
class QCheckBox;
class QComboBox;
class QPushButton;
class QTableWidget;

// The song dialog's section "MIDI": the messages the song sends to other gear when
// it becomes the prepared song, one per row of `TabellaMidi` (kind, port, channel,
// bank MSB and LSB, program or controller and value, SysEx as hex "F0 .. F7").
// `TipoMidi` and `AggiungiMidi` add a message of the kind chosen, `TogliMidi`
// removes the current one, `SuMidi` and `GiuMidi` move it, `InviaOra` sends the list
// as it stands now (disabled without MIDI). A port is typed or chosen from the ports
// there are now and those already named. `ProgrammiDa1` tells, for the current
// row's port, whether its device counts programs from 1: the program boxes of that
// port then show and take one more than is sent (stored at once through the
// writer). What is typed is kept as typed until it is taken (messages()), which
// refuses a bad entry with a message and keeps everything. GUI thread only.
class GearMessagesFrame : public QGroupBox {
    Q_OBJECT
public:
    // gear: null without MIDI. dialog: kept whole while a message box is open.
    GearMessagesFrame(GearOutput* gear, LibraryWriter& writer, Prompter& prompter,
                      GuardedDialog& dialog, QWidget* parent = nullptr);
    ~GearMessagesFrame() override;

    // Shows messages, with the ports' counting as the library keeps it. With a
    // readError (the song's messages could not be read) the section says so and
    // takes nothing.
    void load(const GearMessages& messages, const QString& readError = {});
    // The messages as the rows hold them; nothing (with a message shown and the
    // row at fault made current) when one cannot be sent as it stands.
    std::optional<GearMessages> messages();
    // What `InviaOra` does.
    void sendNow();

protected:
    // A row's control taking the focus makes its row the current one.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct Row;
    void build();
    void add(const GearMessage& message);
    void remove();
    void move(int by);
    void showRows(int current);
    void takeRows();
    void showCounting();
    void portTyped(int row, const QString& port);
    void setCounting(bool fromOne);
    QStringList knownPorts() const;
    void tell(const QString& text);

    GearOutput* gear_;
    LibraryWriter& writer_;
    Prompter& prompter_;
    GuardedDialog& dialog_;
    QSet<QString> fromOne_;  // the ports whose devices count programs from 1
    QStringList present_;    // the output ports there were when the song was shown
    QList<Row> rows_;
    QTableWidget* table_ = nullptr;
    QComboBox* kind_ = nullptr;
    QPushButton* send_ = nullptr;
    QCheckBox* countFromOne_ = nullptr;
};
