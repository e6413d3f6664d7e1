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

// What a descriptor names: the value after "Provider=" and after "Data Source=", each up to
// the next ';', or empty.
struct UdlContents {
  std::string provider;
  std::string dataSource;
};

// Reads the descriptor once. Throws TarnwickError(FileOpenMessage) when it cannot be opened.
UdlContents ReadUdlFile(std::string_view udlPath);

// One of the two values alone, read as ReadUdlFile reads it.
std::string ReadUdlProvider(std::string_view udlPath);
std::string ReadUdlDataSource(std::string_view udlPath);

}  // namespace tarnwick
