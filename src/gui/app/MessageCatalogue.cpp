#include "app/MessageCatalogue.h"

#include <algorithm>
#include <string_view>
#include <vector>

#include <QCoreApplication>

namespace qv {

namespace {

// Each text once, as the core spells it (two spaces and the blanks before "!" included): the
// translation is found by the English text the core hands over.
constexpr const char *kCatalogue[] = {
    // Captions.
    QT_TRANSLATE_NOOP("qv::Messages", "Error Message"),
    QT_TRANSLATE_NOOP("qv::Messages", "Quorvane"),
    QT_TRANSLATE_NOOP("qv::Messages", "PDU Interpreter Internal Error"),

    // Start-up, installation and interface language.
    QT_TRANSLATE_NOOP("qv::Messages", "Wrong working directory!"),
    QT_TRANSLATE_NOOP("qv::Messages", "French resources not found !"),
    QT_TRANSLATE_NOOP("qv::Messages", "German resources not found !"),
    QT_TRANSLATE_NOOP("qv::Messages",
                      "To activate the modification, close and\nre-open the Quorvane"),
    QT_TRANSLATE_NOOP("qv::Messages", "ISDN manager problem !"),
    QT_TRANSLATE_NOOP("qv::Messages", "Problem while initializing PDU Interpreter!"),
    QT_TRANSLATE_NOOP("qv::Messages", "ISDN Manager Problem!"),

    // Opening files by their type.
    QT_TRANSLATE_NOOP("qv::Messages", "Error while searching this file type!"),
    QT_TRANSLATE_NOOP("qv::Messages", "Error while looking for this file type!"),
    QT_TRANSLATE_NOOP("qv::Messages", "This file is not an LVT file!"),
    QT_TRANSLATE_NOOP("qv::Messages", "This file is not an LVT-30/-30U, LVT-60 or PLM-45 file!"),
    QT_TRANSLATE_NOOP("qv::Messages", "Unable to find specified file!"),
    QT_TRANSLATE_NOOP("qv::Messages", "Unable to open this file!"),

    // Capture files and their readers.
    QT_TRANSLATE_NOOP("qv::Messages", "Cannot know if this file is a remote or permanent file !"),
    QT_TRANSLATE_NOOP("qv::Messages", "Unable to open file !"),
    QT_TRANSLATE_NOOP("qv::Messages", "File is empty!"),
    QT_TRANSLATE_NOOP("qv::Messages", "the record is not an LVT record!"),
    QT_TRANSLATE_NOOP("qv::Messages", "LVT file error"),
    QT_TRANSLATE_NOOP("qv::Messages", "Error while reading frames!"),
    QT_TRANSLATE_NOOP("qv::Messages", "tab_frame_idx not good !"),

    // The capture document.
    QT_TRANSLATE_NOOP("qv::Messages", "Unable to create a decodable object !"),
    QT_TRANSLATE_NOOP("qv::Messages", "A problem occurs while reading first group of frames !"),
    QT_TRANSLATE_NOOP("qv::Messages", "No frame found in the file !"),
    QT_TRANSLATE_NOOP("qv::Messages", "Problem while saving file!"),
    QT_TRANSLATE_NOOP("qv::Messages", "The comment text has changed.\nDo you want to save it?"),
    QT_TRANSLATE_NOOP("qv::Messages", "The comment text can not be updated.\nAn error occured "
                                      "when saving it in the file"),
    QT_TRANSLATE_NOOP("qv::Messages", "The comment text can not be updated.\nAn error occured "
                                      "when saving it in the file: %s"),
    QT_TRANSLATE_NOOP("qv::Messages", "The capture is damaged: %s"),
    QT_TRANSLATE_NOOP("qv::Messages", "Damaged capture"),
    QT_TRANSLATE_NOOP("qv::Messages", "Starting and/or ending values are out of range"),
    QT_TRANSLATE_NOOP(
        "qv::Messages",
        "This frame is suppressed by filtering\nDo you want to reach the nearest frame"),
    QT_TRANSLATE_NOOP("qv::Messages", "This frame is not a layer 3 frame"),

    // Decoding.
    QT_TRANSLATE_NOOP("qv::Messages", "CDecoder::pan_parse(): ev_p = NULL"),
    QT_TRANSLATE_NOOP("qv::Messages", "CISDN::Format_Detail() error: ev_p = NULL"),
    QT_TRANSLATE_NOOP("qv::Messages", "Layer 3 detail error: %d!"),

    // The PDU interpreter and its notation files.
    QT_TRANSLATE_NOOP("qv::Messages", "Can't open file %s. Please, check notation files path ..."),
    QT_TRANSLATE_NOOP("qv::Messages", "Insufficient memory: Can't create PDU Interpreter!"),
    QT_TRANSLATE_NOOP("qv::Messages",
                      "Insufficient memory: Can't allocate PDU Interpreter buffer!"),
    QT_TRANSLATE_NOOP("qv::Messages", "Unknown protocol!"),
    QT_TRANSLATE_NOOP("qv::Messages", "Syntax error in a Notation File"),
    QT_TRANSLATE_NOOP("qv::Messages", "Too many tables are defined in the list file"),
    QT_TRANSLATE_NOOP("qv::Messages", "Not enough memory to load the Notation Files"),

    // Finding in the summary and in the hexadecimal trace.
    QT_TRANSLATE_NOOP("qv::Messages", "Press ESCAPE to stop the find function"),
    QT_TRANSLATE_NOOP("qv::Messages",
                      "Program has reached the last frame!\nDo you want to go to the first frame?"),
    QT_TRANSLATE_NOOP("qv::Messages",
                      "Program has reached the first frame!\nDo you want to go to the last frame?"),
    QT_TRANSLATE_NOOP("qv::Messages",
                      "This field is not visible now. Display it with the\n "
                      "\"Protocol Information\" menu and restart the Find function"),
    QT_TRANSLATE_NOOP("qv::Messages", "Find error!"),
    QT_TRANSLATE_NOOP("qv::Messages", "String found once"),
    QT_TRANSLATE_NOOP("qv::Messages", "String found twice"),
    QT_TRANSLATE_NOOP("qv::Messages", "String found %d times"),
    QT_TRANSLATE_NOOP("qv::Messages", "Message found once"),
    QT_TRANSLATE_NOOP("qv::Messages", "Message found twice"),
    QT_TRANSLATE_NOOP("qv::Messages", "Message found %d times"),
    QT_TRANSLATE_NOOP("qv::Messages", "Cause number found once"),
    QT_TRANSLATE_NOOP("qv::Messages", "Cause number found twice"),
    QT_TRANSLATE_NOOP("qv::Messages", "Cause number found %d times"),
    QT_TRANSLATE_NOOP("qv::Messages", "String not found!"),
    QT_TRANSLATE_NOOP("qv::Messages", "Message not found!"),
    QT_TRANSLATE_NOOP("qv::Messages", "Cause number not found!"),
    QT_TRANSLATE_NOOP("qv::Messages", "Wrong hexadecimal value!"),
    QT_TRANSLATE_NOOP("qv::Messages", "Hexa string  found !"),
    QT_TRANSLATE_NOOP("qv::Messages", "ASCII string found !"),
    QT_TRANSLATE_NOOP("qv::Messages", "Hexa string not found !"),
    QT_TRANSLATE_NOOP("qv::Messages", "ASCII string not found !"),

    // Printing.
    QT_TRANSLATE_NOOP("qv::Messages",
                      "Insufficient memory to print frames\nPlease decrease the number of frames"),
    QT_TRANSLATE_NOOP("qv::Messages", "The printing file can not be opened"),

    // PLM-45 projects.
    QT_TRANSLATE_NOOP("qv::Messages", "Error: file format"),
    QT_TRANSLATE_NOOP("qv::Messages",
                      "Error: the file is larger than 64 MB, more than a PLM-45 project can be"),
    QT_TRANSLATE_NOOP("qv::Messages",
                      "Insufficient memory to copy the selection\nPlease limit your selection"),
    QT_TRANSLATE_NOOP("qv::Messages", "The Clipboard is not free to copy the selection\n"),
    QT_TRANSLATE_NOOP("qv::Messages",
                      "Too many frames are selected. Only the first %d frames are copied"),
    QT_TRANSLATE_NOOP(
        "qv::Messages",
        "No or incorrect answer from PLM-45\nCheck equipment, serial cable, baud rate"),
    QT_TRANSLATE_NOOP("qv::Messages", "Project %d does not exist"),
    QT_TRANSLATE_NOOP("qv::Messages", "File could not be saved"),
    QT_TRANSLATE_NOOP("qv::Messages", "File Error"),
    QT_TRANSLATE_NOOP("qv::Messages", "Existing file"),
    QT_TRANSLATE_NOOP("qv::Messages", "The file %s already exists in this destination "
                                      "directory.\nDo you want to overwrite it?"),

    // Test result files.
    QT_TRANSLATE_NOOP("qv::Messages", "Cannot know if this file is a remote or permanent file!"),
    QT_TRANSLATE_NOOP("qv::Messages", "Unable to open file!"),
    QT_TRANSLATE_NOOP("qv::Messages", "Can't allocate new record!"),
    QT_TRANSLATE_NOOP("qv::Messages", "Error while reading file!"),
    QT_TRANSLATE_NOOP("qv::Messages", "Record size error !"),
    QT_TRANSLATE_NOOP("qv::Messages", "This file holds no test result!"),
};

// A listed text with one conversion: what stands before and after it, and what it takes.
struct FilledText {
    std::string_view head;
    std::string_view tail;
    char conversion; // 's' any text, 'd' a signed decimal number
    const char *source;
};

const std::vector<FilledText> &filledTexts() {
    static const std::vector<FilledText> texts = [] {
        std::vector<FilledText> found;
        for (const char *source : kCatalogue) {
            const std::string_view text(source);
            const std::size_t at = text.find('%');
            if (at == std::string_view::npos || at + 1 >= text.size())
                continue;
            const char conversion = text[at + 1];
            if (conversion == 's' || conversion == 'd')
                found.push_back({text.substr(0, at), text.substr(at + 2), conversion, source});
        }
        return found;
    }();
    return texts;
}

bool isDecimal(std::string_view value) {
    if (!value.empty() && value.front() == '-')
        value.remove_prefix(1);
    return !value.empty() &&
           std::all_of(value.begin(), value.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// The part of text that the conversion of a listed text stands for, if text was filled in
// from it.
bool fillingOf(const FilledText &listed, std::string_view text, std::string_view &filling) {
    if (text.size() < listed.head.size() + listed.tail.size() || !text.starts_with(listed.head) ||
        !text.ends_with(listed.tail))
        return false;
    filling =
        text.substr(listed.head.size(), text.size() - listed.head.size() - listed.tail.size());
    return listed.conversion != 'd' || isDecimal(filling);
}

} // namespace

std::span<const char *const> messageCatalogue() {
    return kCatalogue;
}

QString translatedMessage(const std::string &text) {
    const QString source = QString::fromStdString(text);
    const QString exact = QCoreApplication::translate(kMessagesContext, text.c_str());
    if (exact != source)
        return exact;
    for (const FilledText &listed : filledTexts()) {
        std::string_view filling;
        if (!fillingOf(listed, text, filling))
            continue;
        QString translated = QCoreApplication::translate(kMessagesContext, listed.source);
        const QString conversion =
            listed.conversion == 's' ? QStringLiteral("%s") : QStringLiteral("%d");
        const qsizetype at = translated.indexOf(conversion);
        if (at < 0)
            return source; // a translation that lost its conversion
        return translated.replace(
            at, conversion.size(),
            QString::fromUtf8(filling.data(), static_cast<qsizetype>(filling.size())));
    }
    return source;
}

} // namespace qv
