#include "pdu/interface/IsdnItemProvider.h"

#include <algorithm>
#include <cstdio>
#include <fstream>

#include "base/Numbers.h"
#include "base/Texts.h"
#include "base/UserMessages.h"

namespace qv {

namespace {

constexpr std::size_t kMaxEntryLine = 79;

struct ValueText {
    unsigned value;
    const char *english;
    const char *french;
};

constexpr ValueText kBearerTexts[] = {
    {0, "Speech", "Parole"},
    {8, "Unrestr. Info", "Info sans restr."},
    {9, "Restricted Info", "Info avec restr."},
    {16, "3.1 kHz audio", "3.1 kHz accoust."},
    {17, "7 kHz audio", "7 kHz accoust."},
    {24, "Video", "Video"},
};

constexpr ValueText kHighLayerTexts[] = {
    {0, "Unknown", "Inconnu"},
    {1, "Telephone", "Telephone"},
    {4, "Fax group 2/3", "Telecop. Gr.2/3"},
    {33, "Fax group 4", "Telecopie Gr.4"},
    {36, "Mixed-mode", "Mode mixte"},
    {40, "Processbl-form", "Formulaire"},
    {49, "Teletex", "Teletex"},
    {50, "Videotex", "Videotex"},
    {53, "Telex", "Telex"},
    {56, "Msg Handlg Sys.", "Sys.Trait.Msg."},
    {64, "Audiograph.", "Audiographie"},
    {65, "OSI application", "Application OSI"},
    {72, "Audiovideotex", "Audiovideotex"},
    {94, "Maintenance", "Maintenance"},
    {95, "Management", "Management"},
};

constexpr ValueText kServiceTexts[] = {
    {1, "Speech", "Parole"},
    {2, "Analog. serv.", "Serv. analog."},
    {3, "X.21 service", "Service X.21"},
    {4, "Fax group 4", "Btx (64 kbit)"},
    {5, "Btx (64 kbit)", "Telecopie Gr.4"},
    {7, "Data trans.", "Trans. donnees"},
    {8, "X.25 service", "Service X.25"},
    {9, "Teletex 64", "Teletex 64"},
    {10, "Mixed-mode", "Mode mixte"},
    {13, "Telecommand", "Telecommand"},
    {14, "Graphic service", "Service graphiq"},
    {15, "Teletex", "Teletex"},
    {16, "Videotex", "Videotex"},
};

// Cause values of the classes 0x00 and 0x10, by value.
constexpr ValueText kCauseTexts[] = {
    {1, "Unallocated number", "Numero non attribue"},
    {2, "No route to network", "No route to network"},
    {3, "No route to destin.", "No route to destin."},
    {6, "Channel unacceptable", "Canal inacceptable"},
    {7, "Call awarded", "Appel attribue"},
    {16, "Normal call clearing", "Liberation normale"},
    {17, "User busy", "Usager occupe"},
    {18, "No user responding", "Pas de reponse"},
    {19, "Alerted, no answer", "Alerte, sans reponse"},
    {21, "Call rejected", "Rejet de l'appel"},
    {22, "Number changed", "Numero change"},
    {26, "Non-selected clear.", "Non-selected clear."},
    {27, "Out of order", "Destin. hors service"},
    {28, "Invalid numb. format", "Adresse incomplete"},
    {29, "Facility rejected", "Facilite rejetee"},
    {30, "Resp. to STATUS ENQ.", "Reponse DEMANDE ETAT"},
    {31, "Normal, unspecified", "Normal non specifie"},
};

// The classes 0x20 to 0x70 have one text each.
constexpr ValueText kCauseClassTexts[] = {
    {0x20, "Resource unavailable", "Ressource indisponib"},
    {0x30, "Serv/opt unavailable", "Serv/opt indisponib."},
    {0x40, "Serv/opt not implem.", "Serv/opt non implem."},
    {0x50, "Invalid message", "Message incorrect"},
    {0x60, "Protocol error", "Erreur de protocole"},
    {0x70, "Interworking", "Interworking"},
};

struct DiscriminatorText {
    std::uint8_t value;
    const char *shortText;
    const char *longText;
};

constexpr DiscriminatorText kDiscriminatorTexts[] = {
    {0x03, "ATTc", "ATT Custom (03h)"},      {0x08, "Q931", "Q.931 (08h)"},
    {0x0B, "CorN", "Cornet N (0Bh)"},        {0x0C, "CorT", "Cornet T (0Ch)"},
    {0x40, "N0", "1TR6 N0 (40h)"},           {0x41, "N1", "1TR6 N1 (41h)"},
    {0x43, "NI2m", "NI2 Maintenance (43h)"},
};

const ValueText *find(const ValueText *begin, const ValueText *end, unsigned value) {
    for (const ValueText *t = begin; t != end; ++t)
        if (t->value == value)
            return t;
    return nullptr;
}

// The text between open and close, when both stand in that order.
bool between(const std::string &line, char open, char close, std::string &out) {
    const std::size_t a = line.find(open);
    if (a == std::string::npos)
        return false;
    const std::size_t b = line.find(close, a + 1);
    if (b == std::string::npos)
        return false;
    out = line.substr(a + 1, b - a - 1);
    return true;
}

std::uint8_t leadingHex(const std::string &text) {
    unsigned v = 0;
    for (char c : text) {
        const int d = hexDigitValue(c);
        if (d < 0)
            break;
        v = (v * 16 + static_cast<unsigned>(d)) & 0xFF;
    }
    return static_cast<std::uint8_t>(v);
}

} // namespace

bool IsdnItemProvider::Initialise(int language, const std::string &folder, UserMessages &messages) {
    language_ = language > 0 ? 1 : 0;
    entries_.clear();
    discriminators_.clear();
    std::string path = folder;
    if (!path.empty() && path.back() != '/')
        path += '/';
    path += kUserMessageFile;
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        char text[600];
        std::snprintf(text, sizeof text,
                      "Can't open file %s. Please, check notation files path ...", path.c_str());
        messages.show(text, "PDU Interpreter Internal Error", MessageIcon::Exclamation);
        return false;
    }
    bool complete = true;
    std::string line;
    while (std::getline(in, line)) {
        line.erase(std::remove(line.begin(), line.end(), '\r'), line.end());
        if (line.size() > kMaxEntryLine)
            line.resize(kMaxEntryLine);
        if (line.empty() || line[0] == ';')
            continue;
        MessageTypeEntry e;
        std::string field;
        if (!between(line, '{', '}', e.braceName)) {
            e.braceName = unknown();
            complete = false;
        }
        if (!between(line, '[', ']', e.bracketName)) {
            e.bracketName = unknown();
            complete = false;
        }
        if (between(line, '<', '>', field)) {
            e.messageType = leadingHex(field);
        } else {
            e.messageType = 0;
            complete = false;
        }
        e.protocolDiscriminator = between(line, '(', ')', field) ? leadingHex(field) : 8;
        if (std::find(discriminators_.begin(), discriminators_.end(), e.protocolDiscriminator) ==
            discriminators_.end())
            discriminators_.push_back(e.protocolDiscriminator);
        entries_.push_back(std::move(e));
    }
    return complete && !entries_.empty();
}

int IsdnItemProvider::messageTypePosition(const std::uint8_t *info, std::uint16_t length) {
    if (!info || length < 2)
        return -1;
    const int c = info[1] & 0x0F;
    if (length <= c + 2)
        return -1;
    if (info[c + 2] == 0)
        return length > c + 3 ? c + 3 : -1;
    return c + 2;
}

bool IsdnItemProvider::messageTypeText(const std::uint8_t *info, std::uint16_t length,
                                       bool longForm, std::uint8_t, std::string &out) const {
    out.assign(unknown());
    const int at = messageTypePosition(info, length);
    if (at < 0)
        return false;
    for (const MessageTypeEntry &e : entries_) {
        if (e.messageType == info[at] && e.protocolDiscriminator == info[0]) {
            out = longForm ? e.braceName : e.bracketName;
            return true;
        }
    }
    return false;
}

int IsdnItemProvider::messageTypeList(std::vector<std::string> &names,
                                      std::vector<std::uint32_t> &codes) const {
    names.clear();
    codes.clear();
    for (const MessageTypeEntry &e : entries_) {
        names.push_back(e.braceName);
        codes.push_back(std::uint32_t(e.protocolDiscriminator) * 256 + e.messageType);
    }
    return static_cast<int>(entries_.size());
}

std::string IsdnItemProvider::protocolDiscriminatorText(std::uint8_t value, int defaultTextId,
                                                        bool longForm) const {
    for (const DiscriminatorText &d : kDiscriminatorTexts)
        if (d.value == value)
            return longForm ? d.longText : d.shortText;
    return std::string(text(defaultTextId + (longForm ? 1 : 0)));
}

bool IsdnItemProvider::findElement(const std::uint8_t *info, std::uint16_t length, std::uint8_t id,
                                   std::size_t &at, std::size_t &elementLength) {
    if (!info || length < 2)
        return false;
    std::size_t p = static_cast<std::size_t>(info[1] & 0x0F) + 3;
    while (p < length) {
        const std::uint8_t b = info[p];
        if (b & 0x80) {
            if (b == id) {
                at = p;
                elementLength = 0;
                return true;
            }
            ++p;
            continue;
        }
        if (p + 1 >= length)
            return false;
        const std::size_t n = info[p + 1];
        if (b == id) {
            if (p + 2 + n > length)
                return false;
            at = p;
            elementLength = n;
            return true;
        }
        p += n + 2;
    }
    return false;
}

std::string IsdnItemProvider::channelText(std::uint8_t b, std::uint8_t channel) const {
    if ((b & 0x20) && (b & 3) == 1)
        return "B" + std::to_string(channel);
    if ((b & 0x20) && (b & 3) == 2)
        return "Reserved";
    switch (b & 3) {
    case 0:
        return std::string(tr("None", "Aucun"));
    case 1:
        return "B1";
    case 2:
        return "B2";
    default:
        return std::string(tr("Any", "Bx"));
    }
}

std::string_view IsdnItemProvider::bearerText(unsigned value) const {
    const ValueText *t = find(std::begin(kBearerTexts), std::end(kBearerTexts), value);
    return t ? tr(t->english, t->french) : tr("Reserved", "Reserve");
}

std::string_view IsdnItemProvider::highLayerText(unsigned value) const {
    const ValueText *t = find(std::begin(kHighLayerTexts), std::end(kHighLayerTexts), value);
    return t ? tr(t->english, t->french) : tr("Reserved", "Reserve");
}

std::string_view IsdnItemProvider::serviceText(unsigned value) const {
    const ValueText *t = find(std::begin(kServiceTexts), std::end(kServiceTexts), value);
    return t ? tr(t->english, t->french) : tr("Reserved", "Reserve");
}

std::string_view IsdnItemProvider::causeText(unsigned value) const {
    const unsigned cls = value & 0x70;
    if (cls >= 0x20) {
        const ValueText *t = find(std::begin(kCauseClassTexts), std::end(kCauseClassTexts), cls);
        return tr(t->english, t->french);
    }
    const ValueText *t = find(std::begin(kCauseTexts), std::end(kCauseTexts), value & 0x7F);
    return t ? tr(t->english, t->french) : tr("Reserved", "Reserve");
}

bool IsdnItemProvider::item(const std::uint8_t *info, std::uint16_t length, int item,
                            std::uint32_t *value, std::string *out) const {
    const int at = messageTypePosition(info, length);
    if (at < 0)
        return false;
    const unsigned type = info[at];
    const bool callSetUp = type == 1 || type == 2 || type == 7 || type == 13 || type == 5;
    const bool clearing = type == 69 || type == 77 || type == 90;
    std::size_t e = 0, n = 0;
    // Octet k of the element (1 is its identifier), when the element holds it.
    auto octet = [&](std::size_t k, std::uint8_t &o) {
        if (k < 3 || k - 2 > n)
            return false;
        o = info[e + k - 1];
        return true;
    };
    auto digits = [&](std::size_t from) {
        if (n == 0) {
            out->assign("-");
            return;
        }
        out->clear();
        for (std::size_t k = from; k <= n + 2; ++k) {
            const std::uint8_t c = info[e + k - 1];
            out->push_back(c >= 0x20 && c < 0x7F ? static_cast<char>(c) : '.');
        }
    };
    // The item's number and text, each where the caller asked for it.
    auto answer = [&](std::uint32_t v, std::string_view t) {
        if (value)
            *value = v;
        if (out)
            out->assign(t);
        return true;
    };
    std::uint8_t b = 0, b2 = 0;
    switch (item) {
    case kItemChannel: {
        if (!callSetUp || !findElement(info, length, 0x18, e, n) || !octet(3, b))
            return false;
        unsigned v = b & 3u;
        std::uint8_t channel = 0;
        if ((b & 0x20) && (b & 3) == 1) {
            if (!octet(5, channel))
                return false;
            channel &= 0x7F;
            v = channel;
        }
        return answer(v, channelText(b, channel));
    }
    case kItemCallingAddress:
    case kItemCalledAddress: {
        const bool calling = item == kItemCallingAddress;
        if (!(type == 5 || (!calling && type == 123)))
            return false;
        if (!findElement(info, length, calling ? 0x6C : 0x70, e, n))
            return false;
        std::size_t from = 4;
        if (calling && octet(3, b) && !(b & 0x80))
            from = 5;
        if (value)
            *value = 0;
        if (out)
            digits(from);
        return true;
    }
    case kItemBearerCapability:
        if (type != 5 || !findElement(info, length, 0x04, e, n) || !octet(3, b))
            return false;
        return answer(b & 0x1Fu, bearerText(b & 0x1Fu));
    case kItemHighLayer:
        if (type != 5 || !findElement(info, length, 0x7D, e, n) || !octet(4, b))
            return false;
        return answer(b & 0x7Fu, highLayerText(b & 0x7Fu));
    case kItemServiceIndicator:
        if (type != 5 || !findElement(info, length, 0x01, e, n) || !octet(3, b))
            return false;
        return answer(b, serviceText(b));
    case kItemCause:
        if (!clearing || !findElement(info, length, 0x08, e, n) || !octet(3, b))
            return false;
        if (!octet((b & 0x80) ? 4 : 5, b2))
            return false;
        return answer(b2 & 0x7Fu, causeText(b2 & 0x7Fu));
    default:
        return false;
    }
}

bool IsdnItemProvider::itemText(const std::uint8_t *info, std::uint16_t length, int itemNumber,
                                std::string &out) const {
    out.assign(unknown());
    return item(info, length, itemNumber, nullptr, &out);
}

bool IsdnItemProvider::itemValue(const std::uint8_t *info, std::uint16_t length, int itemNumber,
                                 std::uint32_t &out) const {
    return item(info, length, itemNumber, &out, nullptr);
}

} // namespace qv
