#pragma once
// The detail lines of a frame as a tree, as people read a protocol detail: the title and the
// layer headings at the top, the parts of a layer under them, fields under the heading they
// follow, an information element's fields under the element, and sub-fields under their
// element or the field before them. The command line prints it and the desktop program shows
// it; both name a node by the same text.
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "decode/DecodedFrame.h"

namespace qv {

struct DetailNode {
    std::string heading; // headings and the title
    std::string field, value;
    std::int32_t offset = -1; // the octets of the frame the node describes; -1 for none
    std::uint16_t bytes = 0;
    TextColour colour = TextColour::Layer2TeNt;
    std::vector<std::size_t> children;

    bool isHeading() const { return !heading.empty(); }
};

class DetailTree {
public:
    static constexpr std::size_t kRoot = 0;

    explicit DetailTree(std::span<const DetailLine> lines);

    const DetailNode &operator[](std::size_t node) const { return nodes_[node]; }
    std::size_t size() const { return nodes_.size(); }
    // The node's line as shown: a heading, an element by its name, "field: value" (within an
    // element, "Information Element Length" reads "Length"), or a value alone.
    std::string text(std::size_t node) const;
    // Whether the node is an information element (or an X.25 facility) with fields of its own.
    bool isElement(std::size_t node) const;

private:
    std::size_t add(std::size_t parent, DetailNode node);

    std::vector<DetailNode> nodes_;
    std::vector<std::size_t> parents_;
};

} // namespace qv
