// The bundled sample volume: a small HP-71 disk with one file of each kind the suite handles.
#pragma once

#include "common/bytes.hpp"

namespace lifcard::testing {

// A full 630,784-byte volume holding a TEXT file, a BASIC program, a LEX file, a ROM image,
// a DATA file, an unused slot of type 0xFFFF between them and a name with an inner blank.
ByteBuffer sampleVolume();

}  // namespace lifcard::testing
