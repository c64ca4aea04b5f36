// magstrip: turns one HP-71 file, a LIF file or a plain text file, into a card image.
//
// The card image is an HP 48/49 binary object holding a character string: the card magic and
// the file cut into card tracks of up to 1300 nibbles. The switch "/49" or "-49" selects the
// HP 49 object header instead of the HP 48 one. The input is read whole and closed before the
// card image is written, so an output name equal to the input name replaces the input.
#include <string>

#include "common/arguments.hpp"
#include "common/console.hpp"
#include "common/names.hpp"
#include "common/system.hpp"
#include "magstrip/card_writer.hpp"
#include "magstrip/converter.hpp"

using namespace lifcard;
using namespace lifcard::magstrip;

int main(int argc, char** argv) {
    Console console;
    const Arguments arguments(commandLineArguments(argc, argv));

    printBanner(console, "ZARVO LIF to CRD File Converter");
    const bool hp49Target = arguments.at(1) == "/49" || arguments.at(1) == "-49";
    const std::size_t inputPosition = hp49Target ? 2 : 1;
    const std::string typedInput(arguments.at(inputPosition));
    if (typedInput.empty()) {
        console.line("Usage: MAGSTRIP [</49>|<-49>] <FILENAME.LIF> [<FILENAME.CRD>]");
        return 0;
    }
    const ConversionNames names = conversionNames(typedInput, arguments.at(inputPosition + 1));

    console.write("Converting " + names.inputName + " -> " + names.outputName + " ... ");
    console.flush();
    const std::string inputPath = existingNameFor(names.inputName, typedInput);
    if (!fileExists(inputPath)) {
        console.line("Nonexistent!");
        return 0;
    }
    console.line();
    console.line();

    // The input is read and closed here, before the card image file is created.
    Result<CardSource> source = loadInputFile(inputPath, names.inputName, console);
    if (!source.ok()) {
        return failWith(console, source.failure().reason);
    }
    source.value().hp49Target = hp49Target;

    printFileSize(console, source.value());
    console.line();
    const ByteBuffer cardImage = writeCardImage(source.value(), console);
    if (const Status written = replaceFile(names.outputPath, cardImage); !written.ok()) {
        console.errorLine("magstrip: cannot write " + names.outputPath + ": " +
                          written.failure().reason);
        return 1;
    }
    return 0;
}
