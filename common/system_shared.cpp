// Platform-neutral helpers of the platform layer.
#include "common/system_shared.hpp"

#include <new>
#include <stdexcept>

namespace lifcard {

std::string temporaryFileName(const std::string& directory, unsigned long processId, int attempt) {
    return directory + ".lifcard-" + std::to_string(processId) + "-" + std::to_string(attempt) +
           ".tmp";
}

bool growBuffer(ByteBuffer& buffer, std::size_t first) {
    try {
        buffer.resize(buffer.empty() ? first : buffer.size() * 2);
    } catch (const std::bad_alloc&) {
        return false;
    } catch (const std::length_error&) {
        return false;
    }
    return true;
}

}  // namespace lifcard
