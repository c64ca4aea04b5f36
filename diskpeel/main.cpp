// diskpeel: unpacks a LIF volume image into single files in the current directory.
//
// Prints the volume header, walks the directory and writes every entry that holds a file:
// text types as plain text with CR LF line ends, ROM types as their bare body, all others as
// LIF files (the directory entry followed by the body).
#include <string>

#include "common/arguments.hpp"
#include "common/console.hpp"
#include "common/system.hpp"
#include "diskpeel/extraction.hpp"

namespace {

using namespace lifcard;

// Each output becomes a file of the current directory, replaced only when complete.
class FileOutputs final : public diskpeel::OutputSink {
  public:
    Status store(const std::string& name, ByteView bytes) override {
        return replaceFile(name, bytes);
    }
};

}  // namespace

int main(int argc, char** argv) {
    Console console;
    const Arguments arguments(commandLineArguments(argc, argv));

    printBanner(console, "ZARVO LIF Volume-to-File Converter");
    const std::string volumeName(arguments.at(1));
    if (volumeName.empty()) {
        console.line("Usage: DISKPEEL <VOLUME.LIF>");
        return 0;
    }

    console.write("Reading volume " + volumeName + " ... ");
    console.flush();
    if (!fileExists(volumeName)) {
        console.line("Nonexistent!");
        return 0;
    }
    Result<ByteBuffer> content = readWholeFile(volumeName);
    if (!content.ok()) {
        console.line("Unreadable!");
        return 1;
    }
    console.line();
    const ByteBuffer image = diskpeel::volumeImage(std::move(content.value()));

    diskpeel::printHeaderReport(console, image);
    console.line();
    console.line("Converting files ...");
    console.line();

    FileOutputs outputs;
    return diskpeel::walkDirectory(image, console, outputs) ? 0 : 1;
}
