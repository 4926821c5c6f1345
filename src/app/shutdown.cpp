#include "app/shutdown.h"

#include "app/audio.h"
#include "app/diagnostica.h"
#include "pedals/portio.h"
#include "platform/hirestimer.h"
#include "platform/lamp.h"
#include "platform/prompter.h"
#include "platform/wincolor.h"
#include "playback/groovesound.h"
#include "show/showcore.h"

Shutdown::Shutdown(Audio& window) : w_(window) {}

QString Shutdown::questionText() {
    return QStringLiteral(" Sei sicuro di voler terminare il programma? ");
}

QString Shutdown::questionTitle() {
    return QStringLiteral("Uscita da Quintora");
}

void Shutdown::esci() {
    w_.core().close();
    if (Diagnostica* d = w_.loadedDiagnostica()) {
        d->close();
    }
    w_.close();
}

bool Shutdown::confirmClose() {
    w_.core().holdPoll(true);
    const Message question{questionText(), questionTitle(), Message::Icon::Exclamation,
                           Message::Buttons::YesNo, Message::Answer::No};
    if (w_.services().prompter.ask(question) != Message::Answer::Yes) {
        w_.core().holdPoll(false);
        return false;
    }
    w_.core().detach();
    if (Diagnostica* d = w_.loadedDiagnostica()) {
        d->close();
    }
    return true;
}
