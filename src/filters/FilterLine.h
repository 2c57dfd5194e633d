#pragma once
// The off-line filter as one line of text, as the filter bar takes it: terms "key=value"
// separated by blanks, a value with blanks in double quotes. Every term sets one criterion; a
// criterion no term names is left showing everything. The keys, without regard to case:
//   layer=1,2,3       the layers shown (any of the three digits); without it a line holding a
//                     criterion only a layer-3 frame can meet (cr, local, remote, pd, msg,
//                     cause and the X.25 keys) shows layer 3 alone, or layers 2 and 3 when
//                     it also holds a layer-2 criterion (those apply only while layer 2 is
//                     shown; a layer term without 2 beside one of them is refused)
//   sapi=0 tei=64     SAPI and TEI, decimal
//   dir=TE->NT        the direction, as the direction list names it
//   frame=RR          the layer-2 frame type; rr=no leaves out the RR frames
//   efa=8175          the V5 envelope function address, decimal
//   cr=41             the call reference, hexadecimal ("0x41" too)
//   local=0123*       the ISDN addresses of a call, "*" for any leading or trailing digits
//   remote=*789
//   pd=08             the protocol discriminator, hexadecimal
//   msg=SETUP         the message, as the message lists name it ("PSTN/ESTABLISH" for V5)
//   cause=16          the cause: decimal, hexadecimal with 0x or a trailing H, or a cause name
//   lcn=5 cug=3       the X.25 logical channel and closed user group, decimal
//   packet=CALL.REQ   the X.25 packet type
//   x25local=… x25remote=…   the X.25 addresses of a virtual call
// The line written for a filter reads back as the same filter.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "filters/FilterCriteria.h"

namespace qv {

class CauseList;

// Why a line was refused: the term at fault and what is wrong with it.
struct FilterLineError {
    enum Kind {
        UnknownKey,  // "key" is none of the keys
        BadValue,    // the value does not fit the key
        NoValue,     // a term without "=" or with nothing after it
        OpenQuote,   // a double quote never closed
        Repeated,    // a key given twice
        NeedsLayer2, // a layer-2 criterion on a line whose layers leave out layer 2
    };
    Kind kind = UnknownKey;
    std::string term;
};

struct FilterLineResult {
    std::optional<FilterCriteria> criteria; // set when the line was read
    FilterLineError error;                  // otherwise why not
};

// Reads a line into criteria, every criterion it does not name at its default. An empty line
// is the filter that shows everything. causes (optional) adds the user's cause names.
FilterLineResult parseFilterLine(std::string_view line, const CauseList *causes);

// The line for criteria: the terms of the criteria set, in the order of the keys above; empty
// when the filter shows everything. Criteria no key stands for (the V5 layer-3 address, NUI,
// slicing) are not written.
std::string filterLine(const FilterCriteria &criteria);

// The keys and the values they take from a list, for completion: "key=" for each key, and
// "key=value" for each named value (messages, directions, frame types, packets, causes).
std::vector<std::string> filterLineCompletions(const CauseList *causes);

// The term that selects the value a frame shows in one respect, for "Filter on this value".
enum class FrameValue { Layer, Sapi, Tei, Direction, CallRef, Message, Cause, Calling, Called };
// Empty when the frame has no such value (a call reference on a layer-2 frame, an unlisted
// message). layerCategory is the decoder's layer category of the frame (+-1, +-2, +-3).
std::string filterTermFor(FrameValue value, const struct DecodedFrame &frame, int layerCategory);

// line with term added; a term of the same key already there is replaced.
std::string withFilterTerm(std::string_view line, std::string_view term);

} // namespace qv
