#include "setupprogram.h"

#include <algorithm>
#include <string_view>

namespace Http {

namespace {

constexpr std::string_view kScript = R"(#!/bin/sh
# Varsel B2B setup (demo server). Records that it was started, and with what.
if [ -n "$VARSEL_SETUP_MARKER" ]; then
    printf '%s\n' "$*" > "$VARSEL_SETUP_MARKER"
fi
exit 0
)";

constexpr std::string_view kPadLine = "# ..............................................................\n";

} // namespace

std::string setupProgram(std::size_t size)
{
    size = std::min(size, kSetupProgramMaxSize);
    std::string out(kScript);
    if (size <= out.size())
        return out;
    out.reserve(size);
    while (out.size() + kPadLine.size() <= size)
        out += kPadLine;
    // The last, shorter line: a lone line break, or '#', dots and a line break.
    const std::size_t rest = size - out.size();
    if (rest > 1) {
        out += '#';
        out.append(rest - 2, '.');
    }
    if (rest > 0)
        out += '\n';
    return out;
}

const std::string &setupProgram()
{
    static const std::string bytes = setupProgram(kSetupProgramSize);
    return bytes;
}

} // namespace Http
