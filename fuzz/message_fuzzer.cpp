// Whatever a client sends is read as a request, refused with a reason or
// drops the client, and whatever a request's target is, it names a seat's
// token and one of the page's names or nothing at all: never anything else.
#include <cstddef>
#include <cstdint>

#include "share/clientmessage.h"
#include "share/requesttarget.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QByteArrayView bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    const ClientMessage message = ClientMessage::Read(bytes);
    switch (message.kind) {
        case ClientMessage::Kind::Mark:
            if (message.mark.force < 1 || message.mark.places.empty() ||
                message.mark.places.size() > kCardMarkCount)
                __builtin_trap();
            break;
        case ClientMessage::Kind::Device:
            if (message.device.size() > ClientMessage::kLongestDeviceName) __builtin_trap();
            break;
        case ClientMessage::Kind::NextTurn:
            break;
        default:
            if (message.reason.isEmpty()) __builtin_trap();
    }
    if (const auto target = RequestTarget::Parse(bytes)) {
        if (target->token.size() != 32 || size > std::size_t(RequestTarget::kLongest) ||
            target->name.contains(".."))
            __builtin_trap();
    }
    return 0;
}
