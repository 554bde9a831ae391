#pragma once

#include <cstddef>
#include <string>

namespace Http {

// The setup program that /exe/VarselSetup.exe delivers. On this platform it is a shell
// script: started (with "/silent"), it writes its arguments to the file named by
// VARSEL_SETUP_MARKER when that is set, and exits 0. The script is padded with comment
// lines after its exit to `size` bytes, so a download takes more than one block and shows
// progress; a size smaller than the script gives the bare script.
inline constexpr std::size_t kSetupProgramSize = 256 * 1024;
inline constexpr std::size_t kSetupProgramMaxSize = 64 * 1024 * 1024;

// The bytes for `size` (clamped to kSetupProgramMaxSize); the default size is built once.
const std::string &setupProgram();
std::string setupProgram(std::size_t size);

} // namespace Http
