// The card image writer: builds an HP 48/49 binary object holding a character string whose
// content is the card magic "ZARVOCRD" and the body cut into tracks of up to 1300 nibbles.
//
// The object is a sequence of nibbles packed two to a byte, the earlier nibble in the low
// half. Numbers are stored least significant nibble first; a character as its low nibble,
// then its high nibble. Nothing aligns a field to a byte; only the last byte of the file may
// hold a pad nibble.
#pragma once

#include <cstdint>
#include <string_view>

#include "common/bytes.hpp"
#include "common/console.hpp"
#include "magstrip/card_source.hpp"

namespace lifcard::magstrip {

// The body nibbles of a full track.
inline constexpr std::uint32_t fullTrackNibbles = 1300;
// The nibbles of a track besides its data: the 75-nibble header and the closing zero field.
inline constexpr std::uint32_t trackOverheadNibbles = 79;

// A growing sequence of nibbles, one cell per nibble.
class NibbleStream {
  public:
    // Appends the low `count` nibbles of `value`, least significant first. A count of 0 or
    // less appends nothing.
    void appendNibbles(std::uint32_t value, int count);
    // Appends each character as its low nibble, then its high nibble.
    void appendString(std::string_view text);

    [[nodiscard]] std::size_t nibbleCount() const { return cells_.size(); }
    // The nibbles packed two to a byte; an odd count leaves 0 in the last byte's high half.
    [[nodiscard]] ByteBuffer packed() const;

  private:
    ByteBuffer cells_;
};

// The number of tracks for R body nibbles: R div 1300 + 1. When R is a multiple of 1300
// (0 included) the last track carries no data.
constexpr std::uint32_t trackCountFor(std::uint32_t roundedSize) {
    return roundedSize / fullTrackNibbles + 1;
}

// Builds the card image of `source`, prints one track line per track ("Track #n/T done."),
// and returns the packed bytes. `source` must satisfy the card source's invariants; its
// RoundedSize at most 131,064 nibbles.
ByteBuffer writeCardImage(const CardSource& source, Console& console);

}  // namespace lifcard::magstrip
