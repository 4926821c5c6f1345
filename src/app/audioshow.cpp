#include "app/audioshow.h"

#include "app/audio.h"
#include "app/audiolibrary.h"
#include "app/showkeeper.h"

namespace AudioShow {

std::unique_ptr<ShowKeeper> makeKeeper(Audio& w, const QString& configPath) {
    const ShowServices services{w.controls(),
                                w.state(),
                                w.preparation(),
                                w.core(),
                                w.showState(),
                                w.library().lists(),
                                w,
                                w.services().prompter,
                                w.services().clock,
                                w.services().grooves,
                                w.services().player};
    auto keeper = std::make_unique<ShowKeeper>(services, configPath);
    QObject::connect(&w, &Audio::quitConfirmed, keeper.get(), &ShowKeeper::end);
    return keeper;
}

}  // namespace AudioShow
