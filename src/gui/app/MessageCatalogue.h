#pragma once
// The texts and captions that the core shows through UserMessages. The core speaks English
// only; the windows look these texts up under one translation context when they show them.
#include <span>
#include <string>

#include <QString>

namespace qv {

inline constexpr const char *kMessagesContext = "qv::Messages";

// Every text and caption of the core's messages and questions, spelt as the core spells it, and
// the few fixed texts the windows hand to the boxes as they are. A text the core fills in ("%s"
// with a file name, "%d" with a number) is listed with its conversion.
std::span<const char *const> messageCatalogue();

// The text in the interface language. A text filled in from a listed one is translated around
// what was filled in; any other text (already translated, or unknown) comes back as it is.
QString translatedMessage(const std::string &text);

} // namespace qv
