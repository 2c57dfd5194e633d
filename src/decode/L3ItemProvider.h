#pragma once
// The summary facts of a layer-3 message: its name and a few items. One application-wide
// provider per protocol family; after initialisation its tables are only read, so two threads
// may ask at once.
#include <cstdint>
#include <string>

namespace qv {

// Summary items by number.
enum L3Item : int {
    kItemCallingAddress = 1,
    kItemCalledAddress = 2,
    kItemChannel = 3,
    kItemBearerCapability = 4,
    kItemHighLayer = 5,
    kItemServiceIndicator = 6,
    kItemCause = 7,
    kItemDiagnostic = 8,
    kItemX25Pr = 9,
    kItemX25Ps = 10,
    kItemX25CalledType = 11,
    kItemX25CalledPlan = 12,
    kItemX25CallingType = 13,
    kItemX25CallingPlan = 14,
};

class L3ItemProvider {
public:
    virtual ~L3ItemProvider() = default;
    // The message's name; false when the message type is not known (out then holds the text
    // to show anyway).
    virtual bool messageTypeText(const std::uint8_t *info, std::uint16_t length, bool longForm,
                                 std::uint8_t direction, std::string &out) const = 0;
    // False when the message carries no such item; out is then empty.
    virtual bool itemText(const std::uint8_t *info, std::uint16_t length, int item,
                          std::string &out) const = 0;
    virtual bool itemValue(const std::uint8_t *info, std::uint16_t length, int item,
                           std::uint32_t &out) const = 0;
    virtual std::string protocolDiscriminatorText(std::uint8_t value, int defaultTextId,
                                                  bool longForm) const = 0;
};

} // namespace qv
