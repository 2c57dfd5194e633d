#include "DetailFormats.h"

#include <string_view>

#include "TableWriter.h"

namespace qv::cli {

namespace {

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

// The tree, its nodes in one vector and each node's children by their index: a node is named
// by its index while the tree grows.
struct Node {
    std::string heading; // headings and the title
    std::string field, value;
    std::int32_t offset = -1;
    std::uint16_t bytes = 0;
    std::vector<std::size_t> children;
};

class Tree {
public:
    static constexpr std::size_t kNone = static_cast<std::size_t>(-1);
    static constexpr std::size_t kRoot = 0;

    Tree() : nodes_(1) {}
    std::size_t add(std::size_t parent, Node node) {
        nodes_.push_back(std::move(node));
        nodes_[parent].children.push_back(nodes_.size() - 1);
        return nodes_.size() - 1;
    }
    const Node &operator[](std::size_t i) const { return nodes_[i]; }

private:
    std::vector<Node> nodes_;
};

// The detail lines as a tree: the title and the layer headings at the top, their parts under
// them, fields under the heading they follow, an element's fields under the element, and
// the sub-fields under their element or the field before them.
Tree treeOf(std::span<const DetailLine> lines) {
    constexpr std::size_t kNone = Tree::kNone;
    Tree tree;
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
            Node heading;
            heading.heading = trimmed(line.text);
            const bool opensLayer =
                line.kind == kDetailTitle || top == kNone || layerOf(line) != topLayer;
            if (opensLayer) {
                top = tree.add(Tree::kRoot, std::move(heading));
                topLayer = line.kind == kDetailTitle ? -1 : layerOf(line);
                section = kNone;
            } else {
                section = tree.add(top, std::move(heading));
            }
            field = element = kNone;
            break;
        }
        case kDetailLabel:
        case kDetailSubLabel: {
            Node f;
            f.field = trimmed(line.text);
            f.offset = line.frameOffset;
            f.bytes = line.byteCount;
            if (i + 1 < lines.size() && lines[i + 1].kind == line.kind + 1) {
                f.value = trimmed(lines[i + 1].text);
                ++i;
            }
            // A sub-field belongs to the element it describes, else to the field before it.
            if (line.kind == kDetailSubLabel && (element != kNone || field != kNone)) {
                tree.add(element != kNone ? element : field, std::move(f));
                break;
            }
            if (isElementIdentifier(f.field)) {
                element = kNone;
                element = field = tree.add(fieldParent(), std::move(f));
                break;
            }
            field = tree.add(fieldParent(), std::move(f));
            break;
        }
        case kDetailValue:
        case kDetailSubValue: {
            // A value without its label: a line of its own.
            Node f;
            f.value = trimmed(line.text);
            tree.add(fieldParent(), std::move(f));
            break;
        }
        }
    }
    return tree;
}

void writeTree(std::string &out, const Tree &tree, std::size_t node, int depth, bool inElement) {
    for (const std::size_t child : tree[node].children) {
        const Node &n = tree[child];
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
        writeTree(out, tree, child, depth + 1, isElementIdentifier(n.field));
    }
}

nlohmann::ordered_json jsonOf(const Tree &tree, std::size_t node) {
    nlohmann::ordered_json nodes = nlohmann::ordered_json::array();
    for (const std::size_t child : tree[node].children) {
        const Node &n = tree[child];
        nlohmann::ordered_json j;
        if (!n.heading.empty()) {
            j["heading"] = latin1ToUtf8(n.heading);
        } else {
            j["field"] = latin1ToUtf8(n.field);
            j["value"] = latin1ToUtf8(n.value);
            if (n.offset >= 0) {
                j["offset"] = n.offset;
                j["bytes"] = n.bytes;
            }
        }
        if (!n.children.empty())
            j["nodes"] = jsonOf(tree, child);
        nodes.push_back(std::move(j));
    }
    return nodes;
}

} // namespace

std::string detailTree(std::span<const DetailLine> lines) {
    std::string out;
    writeTree(out, treeOf(lines), Tree::kRoot, 0, false);
    return out;
}

nlohmann::ordered_json detailJson(std::span<const DetailLine> lines) {
    return jsonOf(treeOf(lines), Tree::kRoot);
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
