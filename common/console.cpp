// Console output in the suite's conventions, and the number formatting its reports use.
#include "common/console.hpp"

#include "common/system.hpp"

namespace lifcard {

namespace {

// Pending standard output is pushed out once it grows past this, so long walks stream.
constexpr std::size_t flushThreshold = std::size_t{64} * 1024;

constexpr std::string_view noticeLine = "lifcard 1.0 - HP-71 files between LIF volumes and cards";

}  // namespace

Console::~Console() {
    flush();
}

void Console::write(std::string_view text) {
    output_.append(text);
    if (target_ == Target::standardStreams && output_.size() >= flushThreshold) {
        flush();
    }
}

void Console::line(std::string_view text) {
    write(text);
    write(lineEnd);
}

void Console::flush() {
    if (target_ == Target::standardStreams && !output_.empty()) {
        writeStandardStream(StandardStream::output, output_);
        output_.clear();
    }
}

void Console::writeError(std::string_view text) {
    if (target_ == Target::capture) {
        error_.append(text);
        return;
    }
    flush();
    writeStandardStream(StandardStream::error, text);
}

void Console::errorLine(std::string_view text) {
    writeError(std::string(text).append(lineEnd));
}

void printBanner(Console& console, std::string_view title) {
    console.line();
    console.line(title);
    console.line(noticeLine);
    console.line();
}

std::string hexadecimal(std::uint32_t value, int minimumDigits) {
    constexpr std::string_view digits = "0123456789ABCDEF";
    std::string text;
    do {
        text.insert(text.begin(), digits[value & 0xFU]);
        value >>= 4U;
    } while (value != 0);
    if (static_cast<int>(text.size()) < minimumDigits) {
        text.insert(0, static_cast<std::size_t>(minimumDigits) - text.size(), '0');
    }
    return text;
}

std::string decimal(std::int64_t value) {
    return std::to_string(value);
}

std::string reportLabel(std::string_view fieldName, std::size_t width) {
    std::string label(fieldName);
    if (label.size() + 2 < width) {
        label.append(width - 2 - label.size(), ' ');
    }
    return label.append("= ");
}

}  // namespace lifcard
