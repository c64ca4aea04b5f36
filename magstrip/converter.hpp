// The steps of the converter run that sit beside its main: the names of one conversion, the
// choice of input path, the FileSize line and the abort path of FailWith.
#pragma once

#include <string>
#include <string_view>

#include "common/bytes.hpp"
#include "common/console.hpp"
#include "common/result.hpp"
#include "magstrip/card_source.hpp"

namespace lifcard::magstrip {

struct ConversionNames {
    std::string inputName;   // the input argument, upper-cased
    std::string outputName;  // the output argument upper-cased, or InputName with ".CRD"
    // The card image file: the directory part as typed, the file-name part upper-cased.
    std::string outputPath;
};

// The names for the typed input and output arguments; an empty output derives from the input.
ConversionNames conversionNames(std::string_view typedInput, std::string_view typedOutput);

// True when the input takes the text path: its extension, upper-cased, is ".TXT".
bool isTextInput(std::string_view inputName);

// Runs the input path that `inputName` selects over the file's `content`.
Result<CardSource> loadCardSource(ByteView content, std::string_view inputName, Console& console);

// Reads the file at `path` whole (read-only, closed again before this returns) and runs the
// input path over it; an input that cannot be read is refused with "Cannot Read File".
Result<CardSource> loadInputFile(const std::string& path, std::string_view inputName,
                                 Console& console);

// "FileSize        = " with FileSize in at least 5 hexadecimal digits and in bytes.
void printFileSize(Console& console, const CardSource& source);

// FailWith: the refusal line " MESSAGE!" on standard output, then the report of the aborted
// operation on standard error. Returns the exit status of the aborted run, 1.
int failWith(Console& console, std::string_view message);

// What the abort path writes to standard error.
inline constexpr std::string_view abortReport =
    "Exception EAbort in module MAGSTRIP.EXE at 0040A7D4.\r\n"
    "Operation aborted.\r\n"
    "\r\n";

}  // namespace lifcard::magstrip
