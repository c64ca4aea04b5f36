// headswap: turns an HP-48GX binary object into an HP-49G one and back, in place.
//
// Reads the object header at the start of the named file, prints the header that replaces it
// ("HPHP49-B" for an HP 48 object, "HPHP48-R" for an HP 49 one, an empty line for anything
// else) and writes it over the file's first 8 bytes. Nothing after those bytes is touched.
#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "common/arguments.hpp"
#include "common/console.hpp"
#include "common/names.hpp"
#include "common/object_header.hpp"
#include "common/system.hpp"
#include "headswap/header_swap.hpp"

namespace {

using namespace lifcard;

Failure failureFor(std::string_view action, const std::string& name, const Failure& cause) {
    return Failure{"headswap: cannot " + std::string(action) + " " + name + ": " + cause.reason};
}

// Reads the first 8 bytes, prints the new header (or an empty line) and writes it over them.
Status swapHeader(ExclusiveFile& file, const std::string& name, Console& console) {
    std::array<std::uint8_t, objectHeaderSize> firstBytes{};
    const Result<std::size_t> bytesRead = file.readAt(0, firstBytes);
    if (!bytesRead.ok()) {
        return failureFor("read", name, bytesRead.failure());
    }
    const std::string_view newHeader =
        headswap::newHeaderFor(ByteView(firstBytes).first(bytesRead.value()));
    console.line(newHeader);
    if (newHeader.empty()) {
        return {};
    }
    if (const Status written = file.writeAt(0, bytesOf(newHeader)); !written.ok()) {
        return failureFor("write", name, written.failure());
    }
    return {};
}

}  // namespace

int main(int argc, char** argv) {
    Console console;
    const Arguments arguments(commandLineArguments(argc, argv));

    printBanner(console, "HP-48GX to HP-49G File Converter");
    const std::string typedName(arguments.at(1));
    const std::string upperName = upperCase(typedName);
    if (upperName.empty()) {
        console.line("Usage: HEADSWAP <FILENAME>");
        return 0;
    }

    const std::string fileName = existingNameFor(upperName, typedName);
    Result<ExclusiveFile> opened = ExclusiveFile::open(fileName);
    if (!opened.ok()) {
        console.errorLine(failureFor("open", fileName, opened.failure()).reason);
        return 1;
    }
    ExclusiveFile& file = opened.value();

    const Status swapped = swapHeader(file, fileName, console);
    if (!swapped.ok()) {
        console.errorLine(swapped.failure().reason);
    }
    const Status closed = file.close();
    if (!closed.ok()) {
        console.errorLine(failureFor("close", fileName, closed.failure()).reason);
    }
    return swapped.ok() && closed.ok() ? 0 : 1;
}
