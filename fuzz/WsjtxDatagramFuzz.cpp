// Any bytes as a datagram from WSJT-X: read without reading past the end,
// and a decode that calls CQ made into a spot and a reply.
#include "DecodeSpot.h"
#include "WsjtxMessages.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const Wsjtx::Datagram datagram = Wsjtx::readDatagram(bytes);
    if (datagram.message && datagram.fault != Wsjtx::Fault::None)
        std::abort();
    if (const auto* decode =
            datagram.message ? std::get_if<Wsjtx::Decode>(&*datagram.message) : nullptr) {
        if (const std::optional<Spot> spot = spotOfDecode(*decode, 14074000)) {
            if (spot->call.isEmpty() || !decode->message.contains(spot->call))
                std::abort();
        }
        // The reply read back names the same instance.
        const Wsjtx::Datagram reply =
            Wsjtx::readDatagram(Wsjtx::replyDatagram(*decode, datagram.schema));
        if (reply.fault != Wsjtx::Fault::None)
            std::abort();
    }
    return 0;
}
