// The LIF-file input: a 32-byte directory entry followed by the file's body, as the volume
// extractor writes it. The entry is reported field by field; the body length in nibbles comes
// from FileType and ImplementationBytes, never from StartRecord or FileLength.
#pragma once

#include "common/bytes.hpp"
#include "common/console.hpp"
#include "common/result.hpp"
#include "magstrip/card_source.hpp"

namespace lifcard::magstrip {

// The body length rules: the FileSize in nibbles that an entry announces, in 64 bits (record
// counts times record sizes can pass 32 bits).
std::uint64_t announcedFileSize(std::uint16_t fileType,
                                const std::array<std::uint8_t, 4>& implementationBytes);

// Reads the LIF file `file`: prints the entry's report lines and returns the card source
// (all but HP49Target), or the refusal to hand to FailWith:
// - "File Too Short" when the file ends inside its entry, before any report line;
// - "Invalid File Type" for the TEXT type 0x0001, after the six entry lines;
// - "File Too Large" when the body would not fit a card, after all report lines and before
//   the body is read.
// A body shorter than announced is completed with zeros; bytes past it are ignored.
Result<CardSource> loadLifFile(ByteView file, Console& console);

}  // namespace lifcard::magstrip
