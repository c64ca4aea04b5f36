// File-name and text helpers in the suite's rules.
#include "common/names.hpp"

#include <algorithm>

#include "common/system.hpp"

namespace lifcard {

std::string upperCase(std::string_view text) {
    std::string result(text);
    for (char& character : result) {
        if (character >= 'a' && character <= 'z') {
            character = static_cast<char>(character - 'a' + 'A');
        }
    }
    return result;
}

std::string_view trimControls(std::string_view text) {
    const auto isControl = [](char character) {
        return static_cast<unsigned char>(character) <= 0x20;
    };
    while (!text.empty() && isControl(text.front())) {
        text.remove_prefix(1);
    }
    while (!text.empty() && isControl(text.back())) {
        text.remove_suffix(1);
    }
    return text;
}

bool isNameSeparator(char character) {
    return character == '\\' || character == ':' || character == '/';
}

namespace {

std::size_t fileNameStart(std::string_view name) {
    const auto last = std::find_if(name.rbegin(), name.rend(), isNameSeparator);
    return static_cast<std::size_t>(name.rend() - last);
}

}  // namespace

std::string_view directoryPart(std::string_view name) {
    return name.substr(0, fileNameStart(name));
}

std::string_view fileNamePart(std::string_view name) {
    return name.substr(fileNameStart(name));
}

std::string_view extensionOf(std::string_view name) {
    const std::string_view part = fileNamePart(name);
    const auto dot = part.rfind('.');
    return dot == std::string_view::npos ? std::string_view() : part.substr(dot);
}

std::string withExtension(std::string_view name, std::string_view extension) {
    const std::string_view current = extensionOf(name);
    std::string result(name.substr(0, name.size() - current.size()));
    return result.append(extension);
}

std::string plainFileName(std::string_view name) {
    std::string result(name);
    for (char& character : result) {
        if (isForbiddenInFileName(character)) {
            character = '_';
        }
    }
    return result;
}

std::string existingNameFor(const std::string& upperCased, const std::string& typed) {
    return fileExists(upperCased) ? upperCased : typed;
}

}  // namespace lifcard
