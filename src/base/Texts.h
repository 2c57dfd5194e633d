#pragma once
// The string table of decoded-field texts, English and French, looked up by id. The decoding
// language picks the base of a block of ids (textBase), the code inside the block is added to it.
#include <string_view>

namespace qv {

constexpr int kEnglishTextBase = 1400;
constexpr int kFrenchTextBase = 1500;

// Offsets inside a language block.
constexpr int kTextQuestionMark = 0;
constexpr int kTextUnknown = 1;
constexpr int kTextLayer1EventFirst = 10;
constexpr int kLayer1EventCount = 25;

// 0 is English, every other language value is French.
int textBase(int language);

// The text of id, empty when the table has none.
std::string_view text(int id);

} // namespace qv
