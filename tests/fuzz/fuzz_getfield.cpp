// libFuzzer target: GetField with any line, index and separator.
// Input: byte 0 picks the index (-2 .. 253), byte 1 the separator (0: none),
// the rest is the line.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "paths/field.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < 2)
        return 0;
    const int index = static_cast<int>(data[0]) - 2;
    const std::string separators = data[1] == 0 ? std::string() : std::string(1, static_cast<char>(data[1]));
    const std::string line(reinterpret_cast<const char*>(data + 2), size - 2);
    const std::string def = "\x01<default>";

    const std::string field = GetField(line, index, def, separators);
    // A field is the default or a piece of the line.
    if (field != def && (field.empty() || line.find(field) == std::string::npos))
        std::abort();
    // Without a separator in the line there is only field 0.
    if (index != 0 && (separators.empty() || line.find(separators[0]) == std::string::npos) && field != def)
        std::abort();
    return 0;
}
