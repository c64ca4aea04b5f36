// The worked example of the card format: the LIF file DEMO of type 0xE214 with the 8 body
// bytes 01 23 45 67 89 AB CD EF, and its 69-byte card image.
#pragma once

#include <string>
#include <string_view>

#include "common/bytes.hpp"

namespace lifcard::testing {

inline const ByteBuffer workedExampleBody{0x01, 0x23, 0x45, 0x67, 0x89, 0xAB, 0xCD, 0xEF};

// The card image with the HP 48 header or, for `hp49`, the HP 49 one.
inline ByteBuffer workedExampleCard(bool hp49) {
    const std::string_view header = hp49 ? "HPHP49-B" : "HPHP48-R";
    ByteBuffer card(header.begin(), header.end());
    const ByteBuffer stringObject{0x2C, 0x2A, 0x40, 0x07, 0x00, 'Z',  'A',  'R',  'V',  'O',  'C',
                                  'R',  'D',  0x5C, 0x10, 0x10, 0x10, 0x80, 0x00, 0x80, 0x00, 0x40,
                                  0x21, 0x0E, 0x00, 0x00, 0x00, 0x40, 0x54, 0xD4, 0xF4, 0x04, 0x02,
                                  0x02, 0x02, 0x02, 0x01, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00,
                                  0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x10, 0x30, 0x52, 0x74, 0x96,
                                  0xB8, 0xDA, 0xFC, 0x0E, 0x00, 0x00};
    card.insert(card.end(), stringObject.begin(), stringObject.end());
    return card;
}

}  // namespace lifcard::testing
