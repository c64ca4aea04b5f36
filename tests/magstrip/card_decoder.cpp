// Walking a card image nibble by nibble.
#include "tests/magstrip/card_decoder.hpp"

namespace lifcard::testing {

namespace {

class NibbleReader {
  public:
    explicit NibbleReader(ByteView file) {
        for (const std::uint8_t byte : file) {
            nibbles_.push_back(byte & 0xFU);
            nibbles_.push_back(byte >> 4U);
        }
    }

    [[nodiscard]] bool fits(std::size_t count) const {
        return position_ + count <= nibbles_.size();
    }
    // A number of `count` nibbles, least significant first; 0 past the end (check `fits`).
    std::uint32_t number(std::size_t count) {
        std::uint32_t value = 0;
        for (std::size_t i = 0; i < count; ++i) {
            const std::uint32_t nibble = fits(1) ? nibbles_[position_] : 0;
            value |= nibble << (4 * i);
            ++position_;
        }
        return value;
    }
    std::string text(std::size_t characters) {
        std::string result;
        for (std::size_t i = 0; i < characters; ++i) {
            result.push_back(static_cast<char>(number(2)));
        }
        return result;
    }
    [[nodiscard]] std::size_t position() const { return position_; }
    [[nodiscard]] std::size_t size() const { return nibbles_.size(); }
    [[nodiscard]] std::uint8_t at(std::size_t index) const { return nibbles_[index]; }

  private:
    std::vector<std::uint8_t> nibbles_;
    std::size_t position_ = 0;
};

constexpr std::size_t stringLengthOffset = 21;
constexpr std::uint32_t trackLengthBesidesData = 76;

}  // namespace

std::optional<DecodedCard> decodeCard(ByteView file) {
    NibbleReader reader(file);
    DecodedCard card;
    if (!reader.fits(42)) {
        return std::nullopt;
    }
    card.objectHeader = reader.text(8);
    card.prolog = reader.number(5);
    card.stringLength = reader.number(5);
    card.magic = reader.text(8);
    card.nibbleCount = stringLengthOffset + card.stringLength;
    while (reader.position() < card.nibbleCount) {
        DecodedTrack track;
        track.trackLength = reader.number(3);
        if (track.trackLength < trackLengthBesidesData || !reader.fits(track.trackLength)) {
            return std::nullopt;
        }
        track.fixedOne = reader.number(2);
        track.trackNumber = reader.number(2);
        track.trackCount = reader.number(2);
        track.trackBytes = reader.number(4);
        track.bodyBytes = reader.number(4);
        track.fileType = reader.number(4);
        std::uint32_t zeros = reader.number(8);
        track.fileName = reader.text(8);
        for (std::uint8_t& byte : track.implementationBytes) {
            byte = static_cast<std::uint8_t>(reader.number(2));
        }
        for (const std::size_t width : {4, 2, 4, 4, 4, 2, 2}) {
            zeros |= reader.number(width);
        }
        const std::size_t dataNibbles = track.trackLength - trackLengthBesidesData;
        for (std::size_t i = 0; i < dataNibbles / 2; ++i) {
            track.data.push_back(static_cast<std::uint8_t>(reader.number(2)));
        }
        zeros |= reader.number(4);
        track.zeroFieldsClear = zeros == 0;
        card.tracks.push_back(std::move(track));
    }
    const bool endsAtFileEnd =
        reader.position() == reader.size() ||
        (reader.position() + 1 == reader.size() && reader.at(reader.position()) == 0);
    if (reader.position() != card.nibbleCount || !endsAtFileEnd) {
        return std::nullopt;
    }
    return card;
}

ByteBuffer trackDataOf(const DecodedCard& card) {
    ByteBuffer data;
    for (const DecodedTrack& track : card.tracks) {
        data.insert(data.end(), track.data.begin(), track.data.end());
    }
    return data;
}

}  // namespace lifcard::testing
