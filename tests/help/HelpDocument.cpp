#include "help/HelpDocument.h"

#include <algorithm>
#include <fstream>
#include <sstream>
#include <stdexcept>

#include "support/ChildProcess.h"

namespace tarnwick::test {
namespace {

constexpr std::string_view kSqlStart = "<pre class=\"sql\">";
constexpr std::string_view kResultStart = "<pre class=\"result\">";
constexpr std::string_view kPreEnd = "</pre>";

std::size_t LineOf(const std::string& html, std::size_t offset) {
  return 1 + static_cast<std::size_t>(
                 std::count(html.begin(), html.begin() + static_cast<long>(offset), '\n'));
}

[[noreturn]] void Fail(const std::string& html, std::size_t offset, const std::string& what) {
  throw std::runtime_error(std::to_string(LineOf(html, offset)) + " 行目: " + what);
}

// The content of the <pre> whose start tag ends at `contentBegin`: its end.
std::size_t PreEnd(const std::string& html, std::size_t contentBegin) {
  const std::size_t end = html.find(kPreEnd, contentBegin);
  if (end == std::string::npos) Fail(html, contentBegin, "<pre> が閉じていません");
  return end;
}

bool IsSpace(char c) { return c == ' ' || c == '\n' || c == '\t' || c == '\r'; }

}  // namespace

std::vector<HelpExample> HelpExamples(const std::string& html) {
  std::vector<HelpExample> examples;
  std::size_t at = 0;
  while ((at = html.find(kSqlStart, at)) != std::string::npos) {
    const std::size_t sqlBegin = at + kSqlStart.size();
    const std::size_t sqlEnd = PreEnd(html, sqlBegin);
    std::size_t next = sqlEnd + kPreEnd.size();
    while (next < html.size() && IsSpace(html[next])) ++next;
    if (html.compare(next, kResultStart.size(), kResultStart) != 0) {
      Fail(html, at, "<pre class=\"sql\"> の直後に <pre class=\"result\"> がありません");
    }
    const std::size_t resultBegin = next + kResultStart.size();
    const std::size_t resultEnd = PreEnd(html, resultBegin);
    examples.push_back(
        {DecodeHtml(std::string_view(html).substr(sqlBegin, sqlEnd - sqlBegin)),
         DecodeHtml(std::string_view(html).substr(resultBegin, resultEnd - resultBegin)),
         LineOf(html, at), resultBegin, resultEnd});
    at = resultEnd;
  }
  return examples;
}

std::string DecodeHtml(std::string_view html) {
  if (html.starts_with('\n')) html.remove_prefix(1);
  static const std::pair<std::string_view, char> kEntities[] = {
      {"&lt;", '<'}, {"&gt;", '>'}, {"&amp;", '&'}, {"&quot;", '"'}, {"&#39;", '\''}};
  std::string text;
  for (std::size_t i = 0; i < html.size();) {
    bool decoded = false;
    for (const auto& [entity, character] : kEntities) {
      if (html.substr(i).starts_with(entity)) {
        text += character;
        i += entity.size();
        decoded = true;
        break;
      }
    }
    if (!decoded) text += html[i++];
  }
  return text;
}

std::string EncodeHtml(std::string_view text) {
  std::string html;
  for (char c : text) {
    switch (c) {
      case '<':
        html += "&lt;";
        break;
      case '>':
        html += "&gt;";
        break;
      case '&':
        html += "&amp;";
        break;
      default:
        html += c;
    }
  }
  return html;
}

std::string_view WithoutTrailingLineBreaks(std::string_view text) {
  while (!text.empty() && (text.back() == '\n' || text.back() == '\r')) text.remove_suffix(1);
  return text;
}

std::vector<std::string> HelpIds(const std::string& html) {
  std::vector<std::string> ids;
  constexpr std::string_view kId = " id=\"";
  for (std::size_t at = html.find(kId); at != std::string::npos; at = html.find(kId, at)) {
    at += kId.size();
    ids.push_back(html.substr(at, html.find('"', at) - at));
  }
  return ids;
}

std::vector<std::string> TagsOfClass(const std::string& html, std::string_view className) {
  std::vector<std::string> tags;
  constexpr std::string_view kClass = " class=\"";
  for (std::size_t at = html.find(kClass); at != std::string::npos; at = html.find(kClass, at)) {
    at += kClass.size();
    std::istringstream classes(html.substr(at, html.find('"', at) - at));
    for (std::string name; classes >> name;) {
      if (name == className) {
        const std::size_t open = html.rfind('<', at);
        tags.push_back(html.substr(open, html.find('>', at) + 1 - open));
        break;
      }
    }
  }
  return tags;
}

std::string ReadText(const std::filesystem::path& path) {
  std::ifstream file(path, std::ios::binary);
  if (!file) throw std::runtime_error("cannot read " + path.string());
  std::ostringstream text;
  text << file.rdbuf();
  return text.str();
}

std::string RunOnSampleCopy(const std::string& sql, const std::filesystem::path& folder) {
  const std::filesystem::path copy = folder / "sample-copy.mdb";
  std::filesystem::copy_file(TARNWICK_SAMPLE_DATABASE, copy,
                             std::filesystem::copy_options::overwrite_existing);
  return RunProcess({TARNWICK_RUN_PATH, "--db", copy.string(), "-c", sql}).out;
}

}  // namespace tarnwick::test
