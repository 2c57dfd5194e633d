#include "pdu/interface/PduInterpreterObject.h"

#include <cstdio>
#include <fcntl.h>
#include <filesystem>
#include <new>
#include <unistd.h>

#include "base/UserMessages.h"
#include "pdu/interface/ProtocolVariant.h"

namespace qv {

PduInterpreterObject::PduInterpreterObject() : engine_(std::make_unique<pdu::PduInterpreter>()) {}

PduInterpreterObject::~PduInterpreterObject() = default;

bool PduInterpreterObject::allocateArena(std::size_t size) {
    arenaSize_ = size;
    arena_.reset(new (std::nothrow) std::uint8_t[size]);
    initialised_ = false;
    return arena_ != nullptr;
}

void PduInterpreterObject::loaderMessage(void *context, const char *text, const char *caption) {
    auto *self = static_cast<PduInterpreterObject *>(context);
    self->loaderMessages_.emplace_back(text);
    if (self->messages_)
        self->messages_->show(text, caption, MessageIcon::Error);
}

int PduInterpreterObject::Initialise(const std::string &folder, const std::string &listFile,
                                     UserMessages &messages) {
    initialised_ = false;
    loaderMessages_.clear();
    const std::string path =
        folder + (folder.empty() || folder.back() == '/' ? "" : "/") + listFile;
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        char text[512];
        std::snprintf(text, sizeof text, kMsgCannotOpenList, listFile.c_str());
        messages.show(text, kPduInterpreterCaption, MessageIcon::Exclamation);
        return -1;
    }
    ::close(fd);
    if (!arena_ && !allocateArena(arenaSize_))
        return -1;
    messages_ = &messages;
    const bool loaded = engine_->initialise(arena_.get(), arenaSize_, folder.c_str(),
                                            listFile.c_str(), &loaderMessage, this);
    messages_ = nullptr;
    if (!loaded)
        return -1;
    // Room for any message: the copy is never allocated while decoding.
    copy_.assign(0x10000, 0);
    initialised_ = true;
    return 0;
}

int PduInterpreterObject::Decode(const std::uint8_t *message, std::size_t length,
                                 pdu::PduRowList &rows, std::uint32_t firstRow,
                                 std::uint16_t l3Offset) {
    // The protocol discriminator is followed directly by the message type: the call-reference
    // length octet and the call reference go. The full length is kept (not its low byte), so a
    // long message is decoded whole.
    const std::size_t c = length >= 2 && message ? (message[1] & 0x0F) : 0;
    return decodeWithout(message, length, c + 1, rows, firstRow, l3Offset);
}

int PduInterpreterObject::DecodeV5(const std::uint8_t *message, std::size_t length,
                                   pdu::PduRowList &rows, std::uint32_t firstRow,
                                   std::uint16_t l3Offset) {
    // A V5 message has a two-octet layer-3 address where call control has its call reference.
    return decodeWithout(message, length, 2, rows, firstRow, l3Offset);
}

int PduInterpreterObject::decodeWithout(const std::uint8_t *message, std::size_t length,
                                        std::size_t address, pdu::PduRowList &rows,
                                        std::uint32_t firstRow, std::uint16_t l3Offset) {
    if (!initialised_ || !message)
        return -1;
    if (length > 0xFFFF)
        length = 0xFFFF;
    const std::size_t removed = length >= 2 ? std::min(address, length - 1) : 0;
    std::size_t n = 0;
    if (length > 0)
        copy_[n++] = message[0];
    for (std::size_t i = 1 + removed; i < length; ++i)
        copy_[n++] = message[i];
    const pdu::PduDecodeResult r =
        engine_->decode(copy_.data(), static_cast<std::uint16_t>(n), 3, 3);
    pdu::renderRows(r.cells, r.endCell, firstRow, l3Offset, static_cast<std::uint16_t>(address),
                    rows, r.output);
    return 0;
}

int initialiseVariant(PduInterpreterObject &object, const ProtocolSelection &selection,
                      UserMessages &messages) {
    std::error_code ec;
    if (!std::filesystem::is_directory(selection.folderPath, ec))
        return -2;
    if (!object.allocateArena(kVariantArenaSize)) {
        messages.show(kMsgCannotAllocateArena, kPduInterpreterCaption, MessageIcon::Error);
        return -3;
    }
    if (object.Initialise(selection.folderPath, selection.listFile, messages) != 0)
        return -4;
    return 0;
}

int initialiseV5(PduInterpreterObject &object, const std::string &notationRoot,
                 UserMessages &messages) {
    std::string folder = notationRoot;
    if (!folder.empty() && folder.back() != '/')
        folder += '/';
    folder += "V5/";
    std::error_code ec;
    if (!std::filesystem::is_directory(folder, ec))
        return -2;
    if (!object.allocateArena(kVariantArenaSize)) {
        messages.show(kMsgCannotAllocateArena, kPduInterpreterCaption, MessageIcon::Error);
        return -3;
    }
    if (object.Initialise(folder, kV5ListFile, messages) != 0)
        return -4;
    return 0;
}

} // namespace qv
