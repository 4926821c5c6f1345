#pragma once

#include <QByteArray>
#include <QObject>
#include <QPointer>
#include <QString>
#include <memory>

#include "app/showservices.h"
#include "app/startup.h"
#include "recovery/showstate.h"

class QLabel;
class TimerDriver;

// Keeps where the show stands in a small file beside the configuration file
// (QuintoraRipresa.ini beside Quintora.ini), written whole and atomically at most once a second,
// and removed when the user leaves the program. A start that finds the file follows a crash, a kill
// or a power loss: it comes back to the same list and songs, the song prepared and the box
// connected again, nothing sounding, and says so in one line on the main window. GUI thread only.
class ShowKeeper : public QObject {
    Q_OBJECT
public:
    ShowKeeper(const ShowServices& services, const QString& configPath);
    ~ShowKeeper() override;

    // The state file that belongs to a configuration file, beside it and named after
    // it (QuintoraRipresa.ini for Quintora.ini).
    static QString statePath(const QString& configPath);
    // The line on the main window after a resumed start.
    static QString resumingText(const QString& title);
    // The same when the song sounds again ("Riprendi suonando dopo un arresto").
    static QString soundingAgainText(const QString& title);
    // Told once when the state file cannot be written, with the reason when known.
    static QString writeFailedText(const QString& path, const QString& reason = QString());

    // After start-up: a show left behind is resumed (after a normal start-up only;
    // the first run and an upgrade start afresh), then the state is kept once a
    // second until the user leaves the program.
    void begin(Startup::Branch branch);

    // Where the show stands now.
    ShowState snapshot() const;

    // The user left the program normally: the state file goes, so that the next
    // start is an ordinary one.
    void end();

private:
    void tick();
    void resume(const ShowState& s);
    bool showList(const QString& list);
    bool highlight(const QString& title, int row);
    QString listShown(const QString& recordSource) const;
    void write(const QByteArray& bytes);

    ShowServices s_;
    QString path_;
    QString configPath_;
    std::unique_ptr<TimerDriver> timer_;
    QByteArray written_;
    bool failureTold_ = false;
    bool ended_ = false;
    int resumedPreparations_ = -1;  // preparations at the end of a resume; -1 none
    QPointer<QLabel> line_;
};
