// The object header: the 8 ASCII bytes that open an HP 48/49 binary object file, "HPHP48-"
// or "HPHP49-" followed by one letter. The card writer writes it; the header swap rewrites it.
#pragma once

#include <cstddef>
#include <string_view>

namespace lifcard {

inline constexpr std::size_t objectHeaderSize = 8;
inline constexpr std::size_t objectHeaderPrefixSize = 7;  // the letter after it is not examined

inline constexpr std::string_view hp48Header = "HPHP48-R";
inline constexpr std::string_view hp49Header = "HPHP49-B";

// The header the suite writes for an HP 49 target or an HP 48 one.
constexpr std::string_view objectHeaderFor(bool hp49Target) {
    return hp49Target ? hp49Header : hp48Header;
}

// The header that replaces `current`: an HP 48 prefix becomes "HPHP49-B", an HP 49 prefix
// "HPHP48-R"; anything else gives empty text. Only the first 7 bytes decide, case counting.
constexpr std::string_view swappedObjectHeader(std::string_view current) {
    const std::string_view prefix = current.substr(0, objectHeaderPrefixSize);
    if (prefix == hp48Header.substr(0, objectHeaderPrefixSize)) {
        return hp49Header;
    }
    if (prefix == hp49Header.substr(0, objectHeaderPrefixSize)) {
        return hp48Header;
    }
    return {};
}

}  // namespace lifcard
