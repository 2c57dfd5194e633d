#include "DetailFormats.h"

#include <string_view>

namespace qv::cli {

namespace {

// Texts of the tester are single-byte: each byte is the code point of the same number.
std::string utf8(std::string_view text) {
    std::string out;
    for (char c : text) {
        const auto u = static_cast<unsigned char>(c);
        if (u < 0x80) {
            out.push_back(c);
        } else {
            out.push_back(static_cast<char>(0xC0 | (u >> 6)));
            out.push_back(static_cast<char>(0x80 | (u & 0x3F)));
        }
    }
    return out;
}

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

// One node of the tree as it is built.
struct Node {
    std::string heading; // headings and the title
    std::string field, value;
    std::int32_t offset = -1;
    std::uint16_t bytes = 0;
    std::vector<Node> nodes;
};

// The detail lines as a tree: the title and the layer headings at the top, their parts under
// them, fields under the heading they follow, an element's fields under the element, and
// the sub-fields under the field before them.
// The pointers into the tree are taken again after each push into the vector they point into.
Node treeOf(std::span<const DetailLine> lines) {
    Node root;
    Node *top = nullptr;     // title or layer heading
    Node *section = nullptr; // part of a layer (ADDRESS FIELD, FACILITIES ...)
    Node *field = nullptr;   // the last field: parent of the sub-fields
    Node *element = nullptr; // the information element whose fields follow
    int topLayer = -1;
    auto fieldParent = [&]() -> Node & {
        if (element)
            return *element;
        if (section)
            return *section;
        return top ? *top : root;
    };
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const DetailLine &line = lines[i];
        switch (line.kind) {
        case kDetailTitle:
        case kDetailHeading: {
            Node heading;
            heading.heading = trimmed(line.text);
            const bool opensLayer =
                line.kind == kDetailTitle || top == nullptr || layerOf(line) != topLayer;
            if (opensLayer) {
                root.nodes.push_back(std::move(heading));
                top = &root.nodes.back();
                topLayer = line.kind == kDetailTitle ? -1 : layerOf(line);
                section = nullptr;
            } else {
                top->nodes.push_back(std::move(heading));
                section = &top->nodes.back();
            }
            field = element = nullptr;
            break;
        }
        case kDetailLabel:
        case kDetailSubLabel: {
            Node f;
            f.field = trimmed(line.text);
            f.offset = line.frameOffset;
            f.bytes = line.byteCount;
            const bool hasValue = i + 1 < lines.size() && lines[i + 1].kind == line.kind + 1;
            if (hasValue) {
                f.value = trimmed(lines[i + 1].text);
                ++i;
            }
            // A sub-field belongs to the element it describes, else to the field before it.
            if (line.kind == kDetailSubLabel && (element != nullptr || field != nullptr)) {
                (element != nullptr ? element : field)->nodes.push_back(std::move(f));
                break;
            }
            if (isElementIdentifier(f.field)) {
                element = nullptr;
                Node &parent = fieldParent();
                parent.nodes.push_back(std::move(f));
                element = field = &parent.nodes.back();
                break;
            }
            Node &parent = fieldParent();
            parent.nodes.push_back(std::move(f));
            field = &parent.nodes.back();
            break;
        }
        case kDetailValue:
        case kDetailSubValue: {
            // A value without its label: a line of its own.
            Node f;
            f.value = trimmed(line.text);
            fieldParent().nodes.push_back(std::move(f));
            break;
        }
        }
    }
    return root;
}

void writeTree(std::string &out, const Node &node, int depth, bool inElement) {
    for (const Node &n : node.nodes) {
        out.append(static_cast<std::size_t>(depth) * 2, ' ');
        if (!n.heading.empty()) {
            out += n.heading;
        } else if (isElementIdentifier(n.field)) {
            out += n.value; // the element, by its name
        } else if (n.field.empty()) {
            out += n.value;
        } else {
            // Inside its element, "Information Element Length" is the element's length.
            constexpr std::string_view kElement = "Information Element ";
            const bool ofElement = inElement && n.field.rfind(kElement, 0) == 0;
            out += ofElement ? n.field.substr(kElement.size()) : n.field;
            out += ": ";
            out += n.value;
        }
        out += '\n';
        writeTree(out, n, depth + 1, isElementIdentifier(n.field));
    }
}

nlohmann::ordered_json jsonOf(const Node &node) {
    nlohmann::ordered_json nodes = nlohmann::ordered_json::array();
    for (const Node &n : node.nodes) {
        nlohmann::ordered_json j;
        if (!n.heading.empty()) {
            j["heading"] = utf8(n.heading);
        } else {
            j["field"] = utf8(n.field);
            j["value"] = utf8(n.value);
            if (n.offset >= 0) {
                j["offset"] = n.offset;
                j["bytes"] = n.bytes;
            }
        }
        if (!n.nodes.empty())
            j["nodes"] = jsonOf(n);
        nodes.push_back(std::move(j));
    }
    return nodes;
}

} // namespace

std::string detailTree(std::span<const DetailLine> lines) {
    std::string out;
    writeTree(out, treeOf(lines), 0, false);
    return out;
}

nlohmann::ordered_json detailJson(std::span<const DetailLine> lines) {
    return jsonOf(treeOf(lines));
}

std::string detailLines(std::span<const DetailLine> lines) {
    std::string out;
    for (const DetailLine &line : lines) {
        out += std::to_string(static_cast<int>(line.kind));
        out += '\t';
        out += line.text;
        out += '\n';
    }
    return out;
}

} // namespace qv::cli
