#pragma once
// The two entry points every plug-in library exports, with C linkage and the platform's
// normal calling convention:
//
//   int32_t GetCount(void);
//     The number of functions the library offers.
//   uint8_t GetFunctions(int32_t index, char** name, void** entry);
//     Asked once for each index from 0 to the count minus 1, in ascending order. *name points
//     to the host's name buffer of kPlugInNameBufferSize bytes: the plug-in writes the
//     function's name there as zero-terminated Shift-JIS text (at most 254 bytes and the
//     terminator) and leaves the pointer as it is; it stores the function's entry address in
//     *entry. Nonzero (only the lowest byte counts) means the index yields a function; zero
//     means the host skips the index.
//
// The host keeps one name buffer per library and does not clear it between calls, and keeps
// one entry variable for the whole scan, which it does not reset either.
#include <cstdint>

namespace tarnwick {

inline constexpr char kGetCountName[] = "GetCount";
inline constexpr char kGetFunctionsName[] = "GetFunctions";
inline constexpr int kPlugInNameBufferSize = 255;

using GetCountFunction = std::int32_t (*)();
using GetFunctionsFunction = std::uint8_t (*)(std::int32_t index, char** name, void** entry);

}  // namespace tarnwick
