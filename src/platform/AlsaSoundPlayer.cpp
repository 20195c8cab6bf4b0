#include "AlsaSoundPlayer.h"

#include <alsa/asoundlib.h>
#include <cmath>
#include <numbers>
#include <sndfile.h>

namespace {

struct Sound {
    std::vector<short> samples; // interleaved
    int channels = 1;
    int rate = AlsaSoundPlayer::BeepRate;
};

// Caps what is read from a file: the program's sounds last well under a second.
constexpr sf_count_t MaxFrames = 10 * 48000;

bool readWav(const QString& path, Sound& sound) {
    SF_INFO info{};
    SNDFILE* file = sf_open(path.toLocal8Bit().constData(), SFM_READ, &info);
    if (file == nullptr)
        return false;
    if (info.channels < 1 || info.channels > 8 || info.samplerate < 1000 ||
        info.samplerate > 192000) {
        sf_close(file);
        return false;
    }
    const sf_count_t frames = std::min<sf_count_t>(info.frames, MaxFrames);
    sound.samples.resize(static_cast<std::size_t>(frames * info.channels));
    const sf_count_t read = sf_readf_short(file, sound.samples.data(), frames);
    sf_close(file);
    if (read <= 0)
        return false;
    sound.samples.resize(static_cast<std::size_t>(read * info.channels));
    sound.channels = info.channels;
    sound.rate = info.samplerate;
    return true;
}

} // namespace

AlsaSoundPlayer::AlsaSoundPlayer(QString deviceName) : deviceName_(std::move(deviceName)) {}

std::vector<short> AlsaSoundPlayer::beepSamples(int sampleRate) {
    // 150 ms at 880 Hz, with 10 ms ramps so that it does not click.
    const int count = sampleRate * 15 / 100;
    const int ramp = sampleRate / 100;
    std::vector<short> samples(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i) {
        double gain = 0.5;
        if (i < ramp)
            gain *= static_cast<double>(i) / ramp;
        else if (i > count - ramp)
            gain *= static_cast<double>(count - i) / ramp;
        const double phase = 2.0 * std::numbers::pi * 880.0 * i / sampleRate;
        samples[static_cast<std::size_t>(i)] = static_cast<short>(gain * 32767.0 * std::sin(phase));
    }
    return samples;
}

void AlsaSoundPlayer::play(const QString& wavPath) {
    Sound sound;
    if (!readWav(wavPath, sound)) {
        sound.samples = beepSamples(BeepRate);
        sound.channels = 1;
        sound.rate = BeepRate;
    }

    snd_pcm_t* pcm = nullptr;
    // Non-blocking open: a device held by another program must not hang us.
    if (snd_pcm_open(&pcm, deviceName_.toLocal8Bit().constData(), SND_PCM_STREAM_PLAYBACK,
                     SND_PCM_NONBLOCK) < 0)
        return;
    snd_pcm_nonblock(pcm, 0);
    if (snd_pcm_set_params(pcm, SND_PCM_FORMAT_S16_LE, SND_PCM_ACCESS_RW_INTERLEAVED,
                           static_cast<unsigned>(sound.channels), static_cast<unsigned>(sound.rate),
                           1, 200000) < 0) {
        snd_pcm_close(pcm);
        return;
    }
    const snd_pcm_uframes_t frames =
        sound.samples.size() / static_cast<std::size_t>(sound.channels);
    snd_pcm_uframes_t done = 0;
    int failures = 0;
    while (done < frames) {
        const snd_pcm_sframes_t written =
            snd_pcm_writei(pcm, sound.samples.data() + done * sound.channels, frames - done);
        if (written < 0) {
            if (++failures > 5 || snd_pcm_recover(pcm, static_cast<int>(written), 1) < 0)
                break;
            continue;
        }
        done += static_cast<snd_pcm_uframes_t>(written);
    }
    snd_pcm_drain(pcm);
    snd_pcm_close(pcm);
}
