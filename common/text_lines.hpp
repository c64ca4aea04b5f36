// Text-file line input in the rules of the HP-71's desktop tools.
//
// A line ends at LF; a CR directly before the LF belongs to the line end and any other CR is
// dropped from the line's text; a Ctrl-Z (0x1A) ends the text of its line and the rest of that
// physical line is skipped, and a Ctrl-Z where a line would begin ends the file; a last line
// without a line end counts like any other; an empty file has no lines.
#pragma once

#include <string>
#include <vector>

#include "common/bytes.hpp"

namespace lifcard {

inline constexpr std::uint8_t endOfFileMark = 0x1A;

std::vector<std::string> splitTextLines(ByteView content);

}  // namespace lifcard
