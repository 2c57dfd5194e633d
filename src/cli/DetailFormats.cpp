#include "DetailFormats.h"

#include <string_view>

#include "TableWriter.h"
#include "decode/DetailTree.h"

namespace qv::cli {

namespace {

void writeTree(std::string &out, const DetailTree &tree, std::size_t node, int depth) {
    for (const std::size_t child : tree[node].children) {
        out.append(static_cast<std::size_t>(depth) * 2, ' ');
        out += tree.text(child);
        out += '\n';
        writeTree(out, tree, child, depth + 1);
    }
}

nlohmann::ordered_json jsonOf(const DetailTree &tree, std::size_t node) {
    nlohmann::ordered_json nodes = nlohmann::ordered_json::array();
    for (const std::size_t child : tree[node].children) {
        const DetailNode &n = tree[child];
        nlohmann::ordered_json j;
        if (n.isHeading()) {
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
    writeTree(out, DetailTree(lines), DetailTree::kRoot, 0);
    return out;
}

nlohmann::ordered_json detailJson(std::span<const DetailLine> lines) {
    return jsonOf(DetailTree(lines), DetailTree::kRoot);
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
