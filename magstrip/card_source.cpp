// The rounding rule of the card source.
#include "magstrip/card_source.hpp"

namespace lifcard::magstrip {

void setBodyLength(CardSource& source, std::uint32_t fileSize) {
    source.fileSize = fileSize;
    source.roundedSize = static_cast<std::uint32_t>(roundedSizeFor(fileSize));
    source.bodyBytes = source.roundedSize / 2;
    source.bodyBuffer.resize(source.bodyBytes, 0);
}

}  // namespace lifcard::magstrip
