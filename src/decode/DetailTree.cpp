#include "decode/DetailTree.h"

#include <string_view>

namespace qv {

namespace {

constexpr std::size_t kNone = static_cast<std::size_t>(-1);

// A label without its " : " and a heading without its closing colon.
std::string trimmed(std::string_view text) {
    while (!text.empty() && (text.back() == ' ' || text.back() == ':'))
        text.remove_suffix(1);
    while (!text.empty() && text.front() == ' ')
        text.remove_prefix(1);
    return std::string(text);
}

// The layer a line's colour stands for: a heading in a layer of its own opens a new branch,
// a heading in the layer of the one before is a part of it.
int layerOf(const DetailLine &line) {
    return static_cast<int>(line.colour) / 2;
}

// A field that names a part of the frame with fields of its own: an information element, an
// X.25 facility. The fields after it, up to the next such field or heading, are its own.
bool isElementIdentifier(std::string_view label) {
    return label.rfind("Information Element Identifier", 0) == 0 || label == "Facility";
}

} // namespace

DetailTree::DetailTree(std::span<const DetailLine> lines) : nodes_(1), parents_(1, kNone) {
    std::size_t top = kNone;     // title or layer heading
    std::size_t section = kNone; // part of a layer (ADDRESS FIELD, FACILITIES ...)
    std::size_t field = kNone;   // the last field: parent of the sub-fields
    std::size_t element = kNone; // the information element whose fields follow
    int topLayer = -1;
    auto fieldParent = [&] {
        return element != kNone ? element : section != kNone ? section : top != kNone ? top : 0;
    };
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const DetailLine &line = lines[i];
        switch (line.kind) {
        case kDetailTitle:
        case kDetailHeading: {
            DetailNode heading;
            heading.heading = trimmed(line.text);
            heading.colour = line.colour;
            const bool opensLayer =
                line.kind == kDetailTitle || top == kNone || layerOf(line) != topLayer;
            if (opensLayer) {
                top = add(kRoot, std::move(heading));
                topLayer = line.kind == kDetailTitle ? -1 : layerOf(line);
                section = kNone;
            } else {
                section = add(top, std::move(heading));
            }
            field = element = kNone;
            break;
        }
        case kDetailLabel:
        case kDetailSubLabel: {
            DetailNode f;
            f.field = trimmed(line.text);
            f.offset = line.frameOffset;
            f.bytes = line.byteCount;
            f.colour = line.colour;
            if (i + 1 < lines.size() && lines[i + 1].kind == line.kind + 1) {
                f.value = trimmed(lines[i + 1].text);
                ++i;
            }
            // A sub-field belongs to the element it describes, else to the field before it.
            if (line.kind == kDetailSubLabel && (element != kNone || field != kNone)) {
                add(element != kNone ? element : field, std::move(f));
                break;
            }
            if (isElementIdentifier(f.field)) {
                element = kNone;
                element = field = add(fieldParent(), std::move(f));
                break;
            }
            field = add(fieldParent(), std::move(f));
            break;
        }
        case kDetailValue:
        case kDetailSubValue: {
            // A value without its label: a line of its own.
            DetailNode f;
            f.value = trimmed(line.text);
            f.offset = line.frameOffset;
            f.bytes = line.byteCount;
            f.colour = line.colour;
            add(fieldParent(), std::move(f));
            break;
        }
        }
    }
}

std::size_t DetailTree::add(std::size_t parent, DetailNode node) {
    nodes_.push_back(std::move(node));
    parents_.push_back(parent);
    nodes_[parent].children.push_back(nodes_.size() - 1);
    return nodes_.size() - 1;
}

bool DetailTree::isElement(std::size_t node) const {
    return isElementIdentifier(nodes_[node].field);
}

std::string DetailTree::text(std::size_t node) const {
    const DetailNode &n = nodes_[node];
    if (n.isHeading())
        return n.heading;
    if (isElement(node) || n.field.empty())
        return n.value; // an element by its name, or a value alone
    // Inside its element, "Information Element Length" is the element's length.
    constexpr std::string_view kElement = "Information Element ";
    const std::size_t parent = parents_[node];
    const bool ofElement = parent != kNone && isElement(parent) && n.field.rfind(kElement, 0) == 0;
    std::string out = ofElement ? n.field.substr(kElement.size()) : n.field;
    out += ": ";
    out += n.value;
    return out;
}

} // namespace qv
