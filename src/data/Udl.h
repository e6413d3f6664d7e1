#pragma once
// Connection descriptor files (.udl): UTF-16LE with byte-order mark, three CR LF lines that
// name the provider and the database file.
#include <string>
#include <string_view>

namespace tarnwick {

inline constexpr std::string_view kJetProvider = "Microsoft.Jet.OLEDB.4.0";

// Creates the descriptor, or replaces all of an existing one. Paths are console text.
// Throws TarnwickError(FileCreateMessage) when the file cannot be written.
void WriteUdlFile(std::string_view udlPath, std::string_view databasePath);

// The value after "Provider=" / "Data Source=" up to the next ';', or empty.
// Throws TarnwickError(FileOpenMessage) when the file cannot be opened.
std::string ReadUdlProvider(std::string_view udlPath);
std::string ReadUdlDataSource(std::string_view udlPath);

}  // namespace tarnwick
