// The properties every input must keep, checked by the fuzz harnesses and by the replay tests.
//
// Each check runs one program core in-process over the bytes given and returns an empty text
// when every property holds, or a description of the first one broken.
#pragma once

#include <string>

#include "common/bytes.hpp"

namespace lifcard::fuzzing {

// Volume extraction over `volume` as a file's content: every output name is a plain name (no
// "/", no NUL, not "." or ".."), at most one output per slot that holds a file, no output
// larger than the image plus 32 bytes, and the console text is the nine report lines followed
// by one entry line per output, each a fixed-width line ending in CR LF.
std::string checkVolumeExtraction(ByteView volume);

// The LIF-file input and the card writer over `file`: either one of the LIF-file refusals, or
// a card image whose every length field agrees with its content and whose track data is the
// body the file holds, completed with zeros to BodyBytes.
std::string checkLifFileCard(ByteView file);

// The text input and the card writer over `content`: either "File Too Large" for exactly the
// texts whose TEXT body passes the card's limit, or a card image as above whose track data
// reads back as the text's lines.
std::string checkTextFileCard(ByteView content);

// The header swap over `content`: only bytes 0 to 7 change (a 7-byte file may grow to 8), and
// swapping twice gives back a file that began with "HPHP48-R" or "HPHP49-B".
std::string checkHeaderSwap(ByteView content);

}  // namespace lifcard::fuzzing
