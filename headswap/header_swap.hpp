// The header swap: what the eight one-byte reads make of a file's first bytes, and the object
// header that replaces them.
//
// The swap reads the file's first 8 bytes one at a time through a single transfer cell. A read
// that delivers no byte leaves the cell as it was, so each missing position repeats the last
// byte read, or is 0x00 when nothing was read. Only the first 7 bytes of that header text
// decide: "HPHP48-" becomes "HPHP49-B", "HPHP49-" becomes "HPHP48-R", anything else is left
// alone. Everything here works on bytes in memory; the program does the file access.
#pragma once

#include <string>
#include <string_view>

#include "common/bytes.hpp"

namespace lifcard::headswap {

// The 8-character header text built from `firstBytes`, the bytes the file delivered from
// offset 0 (only the first 8 are used).
std::string headerText(ByteView firstBytes);

// The header to write over the file's first bytes, or empty text when they hold neither prefix.
std::string_view newHeaderFor(ByteView firstBytes);

// The whole content of a file after one swap: the new header over bytes 0 to 7 when there is
// one, every later byte as it was.
ByteBuffer swappedContent(ByteView content);

}  // namespace lifcard::headswap
