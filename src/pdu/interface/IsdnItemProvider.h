#pragma once
// The summary facts of a call-control message (its name and eight items) from a small fixed
// parser, without the notation tables. Message names come from the variant's user_msg.pnt.
// One application-wide instance; after Initialise its tables are only read.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "decode/L3ItemProvider.h"

namespace qv {

class UserMessages;

inline constexpr const char *kUserMessageFile = "user_msg.pnt";

struct MessageTypeEntry {
    std::string braceName;   // the long name
    std::string bracketName; // the short name
    std::uint8_t messageType = 0;
    std::uint8_t protocolDiscriminator = 8;
};

class IsdnItemProvider : public L3ItemProvider {
public:
    // Reads folder/user_msg.pnt. False when it cannot be opened (with the message), holds no
    // entry, or an entry lacks a name or its message type (such entries are kept).
    bool Initialise(int language, const std::string &folder, UserMessages &messages);

    bool messageTypeText(const std::uint8_t *info, std::uint16_t length, bool longForm,
                         std::uint8_t direction, std::string &out) const override;
    bool itemText(const std::uint8_t *info, std::uint16_t length, int item,
                  std::string &out) const override;
    bool itemValue(const std::uint8_t *info, std::uint16_t length, int item,
                   std::uint32_t &out) const override;
    std::string protocolDiscriminatorText(std::uint8_t value, int defaultTextId,
                                          bool longForm) const override;

    // The position of the message type in info, or -1.
    static int messageTypePosition(const std::uint8_t *info, std::uint16_t length);
    // Every entry's long name, with protocol discriminator × 256 + message type.
    int messageTypeList(std::vector<std::string> &names, std::vector<std::uint32_t> &codes) const;
    const std::vector<std::uint8_t> &protocolDiscriminators() const { return discriminators_; }
    const std::vector<MessageTypeEntry> &entries() const { return entries_; }

    // Item texts, by value.
    std::string channelText(std::uint8_t thirdByte, std::uint8_t channel) const;
    std::string_view bearerText(unsigned value) const;
    std::string_view highLayerText(unsigned value) const;
    std::string_view serviceText(unsigned value) const;
    std::string_view causeText(unsigned value) const;

private:
    // Finds element id after the message type: its offset in info and its length octet, or false.
    static bool findElement(const std::uint8_t *info, std::uint16_t length, std::uint8_t id,
                            std::size_t &at, std::size_t &elementLength);
    std::string_view tr(std::string_view english, std::string_view french) const {
        return language_ == 0 ? english : french;
    }
    std::string_view unknown() const { return tr("Unknown", "Inconnu"); }
    bool item(const std::uint8_t *info, std::uint16_t length, int item, std::uint32_t *value,
              std::string *text) const;

    int language_ = 0;
    std::vector<MessageTypeEntry> entries_;
    std::vector<std::uint8_t> discriminators_;
};

} // namespace qv
