// Splits the bytes of a text file into its lines.
#include "common/text_lines.hpp"

namespace lifcard {

std::vector<std::string> splitTextLines(ByteView content) {
    std::vector<std::string> lines;
    std::size_t position = 0;
    while (position < content.size() && content[position] != endOfFileMark) {
        std::string line;
        while (position < content.size() && content[position] != '\n' &&
               content[position] != endOfFileMark) {
            if (content[position] != '\r') {
                line.push_back(static_cast<char>(content[position]));
            }
            ++position;
        }
        if (position < content.size() && content[position] == endOfFileMark) {
            while (position < content.size() && content[position] != '\n') {
                ++position;
            }
        }
        if (position < content.size()) {
            ++position;  // past the LF
        }
        lines.push_back(std::move(line));
    }
    return lines;
}

}  // namespace lifcard
