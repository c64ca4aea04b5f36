// The text input: the lines of a plain text file become the TEXT body of an HP-71 text file
// (one length-prefixed record per line, then the end marker), named after the input file.
#pragma once

#include <string>
#include <string_view>

#include "common/bytes.hpp"
#include "common/console.hpp"
#include "common/result.hpp"
#include "magstrip/card_source.hpp"

namespace lifcard::magstrip {

// The card's FileName for an input name: the file-name part, upper-cased, cut before its
// last ".", padded with blanks to at least 10 characters (a longer name stays whole).
std::string textFileNameFor(std::string_view inputName);

// Builds the card source (all but HP49Target) from the text file `content` read under
// `inputName`, after printing the FileName and FileType report lines. Refuses with
// "File Too Large" as soon as the TEXT body with its end marker would pass 65,532 bytes.
Result<CardSource> loadTextFile(ByteView content, std::string_view inputName, Console& console);

}  // namespace lifcard::magstrip
