// The pieces of the platform layer that every platform shares: naming the temporary file an
// output is written to before it is renamed into place, and growing an input buffer.
#pragma once

#include <cstddef>
#include <string>

#include "common/bytes.hpp"

namespace lifcard {

// How often an output tries another temporary name when one is taken.
inline constexpr int temporaryNameAttempts = 100;

// The first piece read from a file whose size is not known in advance.
inline constexpr std::size_t firstReadSize = std::size_t{1} << 20U;

// The temporary file beside an output: hidden, unique to the process and the attempt, and
// short, so that it fits where the output's own name fits.
std::string temporaryFileName(const std::string& directory, unsigned long processId, int attempt);

// Makes room for more input: `first` bytes at first, then twice as many. False when the memory
// cannot be had, so a huge file is reported instead of ending the run abruptly.
bool growBuffer(ByteBuffer& buffer, std::size_t first);

}  // namespace lifcard
