// Names, input choice, the FileSize line and the abort path of the converter run.
#include "magstrip/converter.hpp"

#include "common/names.hpp"
#include "common/system.hpp"
#include "magstrip/lif_input.hpp"
#include "magstrip/text_input.hpp"

namespace lifcard::magstrip {

namespace {

constexpr std::string_view cardExtension = ".CRD";
constexpr std::string_view textExtension = ".TXT";
constexpr std::size_t reportWidth = 18;

}  // namespace

ConversionNames conversionNames(std::string_view typedInput, std::string_view typedOutput) {
    ConversionNames names;
    names.inputName = upperCase(typedInput);
    // Upper-casing keeps every separator in place, so the typed directory part is as long
    // as the upper-cased one.
    if (typedOutput.empty()) {
        names.outputName = withExtension(names.inputName, cardExtension);
        names.outputPath =
            std::string(directoryPart(typedInput)) + std::string(fileNamePart(names.outputName));
    } else {
        names.outputName = upperCase(typedOutput);
        names.outputPath =
            std::string(directoryPart(typedOutput)) + std::string(fileNamePart(names.outputName));
    }
    return names;
}

bool isTextInput(std::string_view inputName) {
    return upperCase(extensionOf(inputName)) == textExtension;
}

Result<CardSource> loadCardSource(ByteView content, std::string_view inputName, Console& console) {
    return isTextInput(inputName) ? loadTextFile(content, inputName, console)
                                  : loadLifFile(content, console);
}

Result<CardSource> loadInputFile(const std::string& path, std::string_view inputName,
                                 Console& console) {
    const Result<ByteBuffer> content = readWholeFile(path);
    if (!content.ok()) {
        return Failure{"Cannot Read File"};
    }
    return loadCardSource(content.value(), inputName, console);
}

void printFileSize(Console& console, const CardSource& source) {
    console.line(reportLabel("FileSize", reportWidth) + hexadecimal(source.fileSize, 5) +
                 " nibbles (" + decimal(source.fileSize / 2) + " bytes)");
}

int failWith(Console& console, std::string_view message) {
    std::string refusal = " ";
    refusal.append(message).append("!");
    console.line(refusal);
    console.writeError(abortReport);
    return 1;
}

}  // namespace lifcard::magstrip
