// The inputs the benchmarks run on, made by the tests' LIF volume assembler: a full disk with
// a few hundred entries of mixed types, and the largest bodies a card carries, as a LIF file
// and as a text file.
#pragma once

#include <string>

#include "common/bytes.hpp"

namespace lifcard::bench {

// A full 630,784-byte volume with 300 directory slots: files of the text, BASIC, LEX, ROM,
// DATA, KEY, BIN and unlisted types of 1 to 15 blocks each, and an unused slot now and then.
ByteBuffer fullVolume();

// A BASIC LIF file (type 0xE214) whose body is the largest a card carries: 65,532 bytes,
// announced as 131,064 nibbles by ImplementationBytes F8 FF 01 00.
ByteBuffer largestLifFile();

// Text lines, ending in CR LF, whose TEXT body with its end marker is exactly 65,532 bytes.
std::string largestTextFile();

}  // namespace lifcard::bench
