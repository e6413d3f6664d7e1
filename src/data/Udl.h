#pragma once
// Connection descriptor files (.udl): UTF-16LE with byte-order mark, three CR LF lines that
// name the provider and the database file.
#include <string>
#include <string_view>

namespace tarnwick {

inline constexpr std::string_view kJetProvider = "Microsoft.Jet.OLEDB.4.0";

// Creates the descriptor, or replaces all of an existing one. Paths are console text. A
// database path that holds a ';' or a quote, or begins or ends with a blank, is written in
// double quotes with each double quote doubled (the connection-string convention), so that it
// reads back exactly; any other path is written as it is. Throws TarnwickError, before
// anything is written, for a path with a line break or another control character, and
// TarnwickError(FileCreateMessage) when the file cannot be written.
void WriteUdlFile(std::string_view udlPath, std::string_view databasePath);
// The bytes WriteUdlFile writes; throws as it does for a path that cannot be written.
std::string UdlFileBytes(std::string_view databasePath);

// What a descriptor names: the value after "Provider=" and after "Data Source=", each a quoted
// value ('...' or "...", the quote doubled inside) followed by ';', or the text up to the next
// ';'; empty when the key is missing or no ';' ends its value.
struct UdlContents {
  std::string provider;
  std::string dataSource;
};

// The initialisation string a descriptor holds for a database (console text): the provider,
// the data source quoted as WriteUdlFile quotes it, and the mode. Throws as WriteUdlFile does
// for a path that cannot be written.
std::string InitString(std::string_view databasePath);
// What an initialisation string (console text) names, read as a descriptor's text is read.
UdlContents ParseInitString(std::string_view initString);

// What the bytes of a descriptor name: UTF-16LE, ending at the first zero unit.
UdlContents ParseUdlBytes(std::string_view bytes);

// Reads the descriptor once. Throws TarnwickError(FileOpenMessage) when it cannot be opened.
UdlContents ReadUdlFile(std::string_view udlPath);

// One of the two values alone, read as ReadUdlFile reads it.
std::string ReadUdlProvider(std::string_view udlPath);
std::string ReadUdlDataSource(std::string_view udlPath);

}  // namespace tarnwick
