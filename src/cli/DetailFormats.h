#pragma once
// The detail of a frame for a person and for a program: an indented tree (headings as parents,
// one field a line, an information element as the parent of its fields), a nested JSON
// document with the octets each field describes, or the decoder's lines as they come
// ("kind TAB text").
#include <span>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "decode/DecodedFrame.h"

namespace qv::cli {

std::string detailTree(std::span<const DetailLine> lines);
// The nodes of the frame: {"heading": ..., "nodes": [...]} and {"field": ..., "value": ...,
// "offset": ..., "bytes": ..., "nodes": [...]} (offset and bytes only where the field
// describes octets of the frame, nodes only where it has fields of its own).
nlohmann::ordered_json detailJson(std::span<const DetailLine> lines);
std::string detailLines(std::span<const DetailLine> lines);

} // namespace qv::cli
