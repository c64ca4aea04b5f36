// The suite's console: report text on standard output, failure lines on standard error.
//
// Every line ends in CR LF on every platform; no locale, no translation. Standard output is
// collected and written in large pieces; `flush` pushes it out at once (the progress lines are
// flushed before slow steps). A capturing console keeps both streams in memory so that a
// program's core can be run and checked in-process.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace lifcard {

inline constexpr std::string_view lineEnd = "\r\n";

class Console {
  public:
    enum class Target { standardStreams, capture };

    explicit Console(Target target = Target::standardStreams) : target_(target) {}
    Console(const Console&) = delete;
    Console& operator=(const Console&) = delete;
    ~Console();

    // Text without a line end.
    void write(std::string_view text);
    // Text followed by CR LF.
    void line(std::string_view text = {});
    // Pushes pending standard output to the console now.
    void flush();
    // Writes raw text to standard error, after flushing standard output so the two keep order.
    void writeError(std::string_view text);
    // A line on standard error: text followed by CR LF.
    void errorLine(std::string_view text);

    // What a capturing console has collected.
    [[nodiscard]] const std::string& output() const { return output_; }
    [[nodiscard]] const std::string& error() const { return error_; }

  private:
    Target target_;
    std::string output_;  // pending text (standard streams) or everything (capture)
    std::string error_;   // everything written to standard error (capture only)
};

// The four opening lines of every run: empty, the title, the notice line, empty.
void printBanner(Console& console, std::string_view title);

// Upper-case hexadecimal with at least `minimumDigits` digits, more when the value needs them.
std::string hexadecimal(std::uint32_t value, int minimumDigits);

// Decimal without padding, "-" only when negative.
std::string decimal(std::int64_t value);

// A report label: the field name padded with blanks to `width` - 2 characters, then "= ".
std::string reportLabel(std::string_view fieldName, std::size_t width);

}  // namespace lifcard
