#include "HamlibRig.h"

#include <chrono>
#include <clocale>
#include <hamlib/rig.h>
#include <thread>

namespace {

// Hamlib's own waits, so that one tuning never holds the radio link long: a
// daemon that does not answer within a second is taken as gone, at once.
constexpr const char* ReplyTimeoutMs = "1000";
constexpr const char* Retries = "0";
// A daemon that has only just begun to listen may drop the first link while
// it settles: one more try a moment later.
constexpr std::chrono::milliseconds ReopenAfter{150};

rmode_t hamlibMode(SpotMode mode) {
    switch (mode) {
    case SpotMode::LowerSideband:
        return RIG_MODE_LSB;
    case SpotMode::UpperSideband:
        return RIG_MODE_USB;
    case SpotMode::Cw:
        return RIG_MODE_CW;
    case SpotMode::Data:
        return RIG_MODE_PKTUSB;
    }
    return RIG_MODE_USB;
}

void setConf(RIG* rig, const char* name, const char* value) {
    const token_t token = rig_token_lookup(rig, name);
    if (token != RIG_CONF_END)
        rig_set_conf(rig, token, value);
}

// A refused connection, a closed one or a silent daemon: nothing to talk to.
bool unreachable(int error) {
    const int code = error < 0 ? -error : error;
    return code == RIG_EIO || code == RIG_ETIMEOUT || code == RIG_EPROTO;
}

} // namespace

HamlibRig::HamlibRig(int model, QString address) : model_(model), address_(std::move(address)) {
    // Hamlib writes its traces to standard error unless told otherwise.
    rig_set_debug(RIG_DEBUG_NONE);
    // rig_open switches LC_NUMERIC to "C" and back, keeping the name of the
    // locale it found, which the switch frees: it then reads freed memory, and
    // changes the locale of every thread meanwhile. With "C" set already, no
    // name is freed and the switch changes nothing. The program formats its
    // numbers through Qt, which does not follow the C locale.
    std::setlocale(LC_NUMERIC, "C");
}

HamlibRig::~HamlibRig() {
    close();
}

bool HamlibRig::open() {
    rig_ = rig_init(model_);
    if (rig_ == nullptr)
        return false;
    const QByteArray path = address_.toUtf8();
    setConf(rig_, "rig_pathname", path.constData());
    setConf(rig_, "timeout", ReplyTimeoutMs);
    setConf(rig_, "retry", Retries);
    open_ = rig_open(rig_) == RIG_OK;
    if (!open_) {
        std::this_thread::sleep_for(ReopenAfter);
        open_ = rig_open(rig_) == RIG_OK;
    }
    if (!open_)
        close();
    return open_;
}

void HamlibRig::close() {
    if (rig_ == nullptr)
        return;
    if (open_)
        rig_close(rig_);
    rig_cleanup(rig_);
    rig_ = nullptr;
    open_ = false;
}

std::optional<int> HamlibRig::send(double hertz, std::optional<SpotMode> mode) {
    int result = rig_set_freq(rig_, RIG_VFO_CURR, hertz);
    if (result == RIG_OK && mode)
        result = rig_set_mode(rig_, RIG_VFO_CURR, hamlibMode(*mode), RIG_PASSBAND_NOCHANGE);
    if (result == RIG_OK)
        return std::nullopt;
    return result;
}

NetworkRig::Outcome HamlibRig::tune(double hertz, std::optional<SpotMode> mode) {
    // A link kept from an earlier tuning may have died with its daemon: one
    // more try on a fresh one.
    for (int attempt = 0; attempt < 2; ++attempt) {
        const bool wasOpen = open_;
        if (!open_ && !open())
            return {Failure::Unreachable, QString()};
        const std::optional<int> error = send(hertz, mode);
        if (!error)
            return {};
        close();
        if (!unreachable(*error))
            return {Failure::Refused, QString::fromLatin1(rigerror2(*error)).trimmed()};
        if (!wasOpen)
            return {Failure::Unreachable, QString()};
    }
    return {Failure::Unreachable, QString()};
}

std::optional<double> HamlibRig::frequency() {
    // As a tuning: a link that died with its daemon is opened afresh once.
    for (int attempt = 0; attempt < 2; ++attempt) {
        const bool wasOpen = open_;
        if (!open_ && !open())
            return std::nullopt;
        freq_t hertz = 0;
        if (rig_get_freq(rig_, RIG_VFO_CURR, &hertz) == RIG_OK)
            return double(hertz);
        close();
        if (!wasOpen)
            return std::nullopt;
    }
    return std::nullopt;
}
