// File-name and text helpers: ASCII upper-casing, trimming, and the name rules of the suite
// (extension, file-name part, change of extension, plain output names).
//
// In the name rules "\", ":" and "/" all separate directories, so names typed in the HP-71's
// world and in today's both work. The extension is the part from the last "." that follows
// the last separator, the dot included.
#pragma once

#include <string>
#include <string_view>

namespace lifcard {

// Only the ASCII letters a to z change.
std::string upperCase(std::string_view text);

// Without leading and trailing bytes of code 0x20 or less; inner bytes stay.
std::string_view trimControls(std::string_view text);

bool isNameSeparator(char character);

// Everything up to and including the last separator, or empty.
std::string_view directoryPart(std::string_view name);

// Everything after the last separator.
std::string_view fileNamePart(std::string_view name);

// The extension with its dot, or empty when the file-name part has no ".".
std::string_view extensionOf(std::string_view name);

// The name with its extension replaced by `extension`, or with `extension` appended when it
// has none.
std::string withExtension(std::string_view name, std::string_view extension);

// The name as a plain file name of the current directory: every byte that cannot stand in
// one on this platform becomes "_".
std::string plainFileName(std::string_view name);

// The name to open for a name the user typed: the upper-cased name when a file of that name
// exists, otherwise the name as typed (case-sensitive file systems).
std::string existingNameFor(const std::string& upperCased, const std::string& typed);

}  // namespace lifcard
