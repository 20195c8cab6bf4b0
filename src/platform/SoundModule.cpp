// libpelk_sound.so: the program's sound player over libsndfile and ALSA.
#include "AlsaSoundPlayer.h"
#include "PlatformModuleExports.h"

#include <type_traits>

extern "C" SoundPlayer* pelk_make_sound_player(const QString& deviceName) {
    return new AlsaSoundPlayer(deviceName);
}

static_assert(std::is_same_v<decltype(pelk_make_sound_player), MakeSoundPlayer>);
