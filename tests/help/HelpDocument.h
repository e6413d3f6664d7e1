#pragma once
// Reading the help document (one HTML file) for its tests: its checked examples, its ids and
// the elements of a class.
#include <cstddef>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace tarnwick::test {

// One example: a <pre class="sql"> and the <pre class="result"> that follows it directly.
struct HelpExample {
  std::string sql;     // the statements (HTML entities decoded)
  std::string result;  // the transcript the help shows (decoded)
  std::size_t line;    // the line of the <pre class="sql"> in the file (from 1)
  // Where the result's content lies in the file, in bytes: [resultBegin, resultEnd).
  std::size_t resultBegin;
  std::size_t resultEnd;
};

// Every example of the document, in order. Throws std::runtime_error naming the line of a
// <pre class="sql"> that no <pre class="result"> follows directly, or of an unclosed <pre>.
std::vector<HelpExample> HelpExamples(const std::string& html);

// The text of a <pre> as a browser shows it: entities decoded, and without the one line break
// that may follow the start tag. And back: the characters HTML gives a meaning encoded.
std::string DecodeHtml(std::string_view html);
std::string EncodeHtml(std::string_view text);

// The text with the line breaks at its end taken off.
std::string_view WithoutTrailingLineBreaks(std::string_view text);

// Every id="..." of the document, in order.
std::vector<std::string> HelpIds(const std::string& html);

// The start tags that carry the class among their classes (class="a b" has a and b), in order,
// each from its "<" to its ">".
std::vector<std::string> TagsOfClass(const std::string& html, std::string_view className);

// The whole file.
std::string ReadText(const std::filesystem::path& path);

// What tarnwick-run prints for the statements on a fresh copy of the sample database: the
// database is copied into `folder` and run with --db COPY -c SQL. Standard output, UTF-8.
std::string RunOnSampleCopy(const std::string& sql, const std::filesystem::path& folder);

}  // namespace tarnwick::test
