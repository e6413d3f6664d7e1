#include "data/mdb/JetQuerySql.h"

#include <algorithm>
#include <memory>
#include <string_view>

#include "text/AsciiCase.h"

namespace tarnwick {

namespace {

enum Attribute {
  kParameter = 2,
  kSelectFlags = 3,
  kTable = 5,
  kColumn = 6,
  kJoin = 7,
  kWhere = 8,
  kGroupBy = 9,
  kHaving = 10,
  kOrderBy = 11,
};

// Select flags (attribute 3).
constexpr std::int64_t kAllColumns = 0x01;
constexpr std::int64_t kDistinct = 0x02;
constexpr std::int64_t kOwnerAccess = 0x04;
constexpr std::int64_t kDistinctRow = 0x08;
constexpr std::int64_t kTop = 0x10;
constexpr std::int64_t kPercent = 0x20;
// A union's flag: its parts' duplicate rows are dropped (UNION rather than UNION ALL).
constexpr std::int64_t kUnionDistinct = 0x02;

constexpr std::string_view kNewLine = "\r\n";
constexpr std::string_view kUnionPart1 = "X7YZ_____1";
constexpr std::string_view kUnionPart2 = "X7YZ_____2";

std::string Bracketed(std::string_view name) {
  if (name.size() >= 2 && name.front() == '[' && name.back() == ']') return std::string(name);
  return "[" + std::string(name) + "]";
}

std::string AliasOf(std::string_view alias) {
  return alias.empty() ? std::string() : " AS " + Bracketed(alias);
}

const char* ParameterTypeName(std::int64_t flag) {
  switch (flag) {
    case 1:
      return "Bit";
    case 2:
      return "Byte";
    case 3:
      return "Short";
    case 4:
      return "Long";
    case 5:
      return "Currency";
    case 6:
      return "IEEESingle";
    case 7:
      return "IEEEDouble";
    case 8:
      return "DateTime";
    case 9:
      return "Binary";
    case 10:
      return "Text";
    case 11:
      return "LongBinary";
    case 12:
      return "Memo";
    case 15:
      return "Guid";
    default:
      return "Value";
  }
}

std::vector<const JetQueryRow*> RowsOf(const std::vector<JetQueryRow>& rows, int attribute) {
  std::vector<const JetQueryRow*> found;
  for (const JetQueryRow& row : rows) {
    if (row.attribute == attribute) found.push_back(&row);
  }
  return found;
}

const JetQueryRow* RowOf(const std::vector<JetQueryRow>& rows, int attribute) {
  const auto found = RowsOf(rows, attribute);
  return found.empty() ? nullptr : found.front();
}

std::string Joined(const std::vector<std::string>& items, std::string_view separator) {
  std::string text;
  for (const std::string& item : items) {
    if (!text.empty()) text += separator;
    text += item;
  }
  return text;
}

// A table of the FROM clause, or two of them joined; tables are known by their alias when
// they have one.
struct Source {
  std::string key;
  std::string text;
  std::unique_ptr<Source> left;
  std::unique_ptr<Source> right;
  std::int64_t joinKind = 0;
  std::vector<std::string> on;

  bool Holds(std::string_view name) const {
    if (left) return left->Holds(name) || right->Holds(name);
    return EqualsIgnoringAsciiCase(key, name);
  }

  std::string Text(bool nested) const {
    if (!left) return text;
    const char* join = joinKind == 2   ? " LEFT JOIN "
                       : joinKind == 3 ? " RIGHT JOIN "
                                       : " INNER JOIN ";
    std::string condition = on.size() == 1 ? on.front() : "(" + Joined(on, ") AND (") + ")";
    std::string joined = left->Text(true) + join + right->Text(true) + " ON " + condition;
    return nested ? "(" + joined + ")" : joined;
  }
};

std::unique_ptr<Source> TakeSourceHolding(std::vector<std::unique_ptr<Source>>& sources,
                                          std::string_view name) {
  for (auto it = sources.begin(); it != sources.end(); ++it) {
    if ((*it)->Holds(name)) {
      std::unique_ptr<Source> source = std::move(*it);
      sources.erase(it);
      return source;
    }
  }
  auto table = std::make_unique<Source>();
  table->key = std::string(name);
  table->text = Bracketed(name);
  return table;
}

// The FROM list: each table, then each join row combining the two sources that hold its
// tables into one; a further join row between tables already joined adds its condition.
std::string FromList(const std::vector<JetQueryRow>& rows) {
  std::vector<std::unique_ptr<Source>> sources;
  for (const JetQueryRow* row : RowsOf(rows, kTable)) {
    auto table = std::make_unique<Source>();
    table->key = row->name2.empty() ? row->name1 : row->name2;
    table->text = (row->expression.empty() ? "" : Bracketed(row->expression) + ".") +
                  Bracketed(row->name1) + AliasOf(row->name2);
    sources.push_back(std::move(table));
  }
  for (const JetQueryRow* row : RowsOf(rows, kJoin)) {
    const auto same = std::find_if(sources.begin(), sources.end(), [&](const auto& source) {
      return source->left && source->Holds(row->name1) && source->Holds(row->name2);
    });
    if (same != sources.end()) {
      (*same)->on.push_back(row->expression);
      continue;
    }
    auto join = std::make_unique<Source>();
    join->left = TakeSourceHolding(sources, row->name1);
    join->right = TakeSourceHolding(sources, row->name2);
    join->joinKind = row->flag;
    join->on.push_back(row->expression);
    sources.push_back(std::move(join));
  }
  std::vector<std::string> texts;
  for (const auto& source : sources) texts.push_back(source->Text(false));
  return Joined(texts, ", ");
}

std::string SelectWords(const JetQueryRow* flags) {
  if (flags == nullptr) return "SELECT ";
  std::string words = "SELECT ";
  if ((flags->flag & kDistinct) != 0) words += "DISTINCT ";
  if ((flags->flag & kDistinctRow) != 0) words += "DISTINCTROW ";
  if ((flags->flag & kTop) != 0) {
    words += "TOP " + flags->name1 + ((flags->flag & kPercent) != 0 ? " PERCENT " : " ");
  }
  return words;
}

std::string OrderByClause(const std::vector<JetQueryRow>& rows) {
  std::vector<std::string> items;
  for (const JetQueryRow* row : RowsOf(rows, kOrderBy)) {
    items.push_back(row->expression + (EqualsIgnoringAsciiCase(row->name1, "D") ? " DESC" : ""));
  }
  return items.empty() ? std::string() : std::string(kNewLine) + "ORDER BY " + Joined(items, ", ");
}

std::string SelectSql(const std::vector<JetQueryRow>& rows) {
  const JetQueryRow* flags = RowOf(rows, kSelectFlags);
  std::vector<std::string> columns;
  if (flags != nullptr && (flags->flag & kAllColumns) != 0) columns.push_back("*");
  for (const JetQueryRow* row : RowsOf(rows, kColumn)) {
    columns.push_back(row->expression + AliasOf(row->name1));
  }
  std::string sql = SelectWords(flags) + Joined(columns, ", ");
  const std::string from = FromList(rows);
  if (!from.empty()) sql += std::string(kNewLine) + "FROM " + from;
  if (const JetQueryRow* where = RowOf(rows, kWhere)) {
    sql += std::string(kNewLine) + "WHERE " + where->expression;
  }
  std::vector<std::string> groups;
  for (const JetQueryRow* row : RowsOf(rows, kGroupBy)) groups.push_back(row->expression);
  if (!groups.empty()) sql += std::string(kNewLine) + "GROUP BY " + Joined(groups, ", ");
  if (const JetQueryRow* having = RowOf(rows, kHaving)) {
    sql += std::string(kNewLine) + "HAVING " + having->expression;
  }
  sql += OrderByClause(rows);
  if (flags != nullptr && (flags->flag & kOwnerAccess) != 0) {
    sql += std::string(kNewLine) + "WITH OWNERACCESS OPTION";
  }
  return sql;
}

// A union part as Jet keeps it, without the blank space around it and with its line breaks
// written as CR LF.
std::string UnionPart(const std::vector<JetQueryRow>& rows, std::string_view id) {
  for (const JetQueryRow* row : RowsOf(rows, kTable)) {
    if (row->name2 != id) continue;
    std::string part;
    std::string_view text = row->expression;
    const auto first = text.find_first_not_of(" \t\r\n");
    if (first == std::string_view::npos) return {};
    text = text.substr(first, text.find_last_not_of(" \t\r\n") - first + 1);
    for (std::size_t i = 0; i < text.size(); ++i) {
      if (text[i] != '\r' && text[i] != '\n') {
        part += text[i];
        continue;
      }
      part += kNewLine;
      while (i + 1 < text.size() && (text[i + 1] == '\r' || text[i + 1] == '\n')) ++i;
    }
    return part;
  }
  return {};
}

std::string UnionSql(const std::vector<JetQueryRow>& rows) {
  const std::string first = UnionPart(rows, kUnionPart1);
  const std::string second = UnionPart(rows, kUnionPart2);
  if (first.empty() || second.empty()) return {};
  const JetQueryRow* flags = RowOf(rows, kSelectFlags);
  const bool distinct = flags != nullptr && (flags->flag & kUnionDistinct) != 0;
  return first + std::string(kNewLine) + (distinct ? "UNION " : "UNION ALL ") + second +
         OrderByClause(rows);
}

std::string ParametersSql(const std::vector<JetQueryRow>& rows) {
  std::vector<std::string> parameters;
  for (const JetQueryRow* row : RowsOf(rows, kParameter)) {
    parameters.push_back(Bracketed(row->name1) + " " + ParameterTypeName(row->flag));
  }
  return parameters.empty() ? std::string() : "PARAMETERS " + Joined(parameters, ", ") + ";";
}

}  // namespace

JetQueryText RebuildJetQuerySql(SavedQueryKind kind, std::vector<JetQueryRow> rows) {
  if (kind != SavedQueryKind::Select && kind != SavedQueryKind::Union) return {};
  std::stable_sort(rows.begin(), rows.end(), [](const JetQueryRow& a, const JetQueryRow& b) {
    return a.attribute != b.attribute ? a.attribute < b.attribute : a.order < b.order;
  });
  return {ParametersSql(rows), kind == SavedQueryKind::Union ? UnionSql(rows) : SelectSql(rows)};
}

}  // namespace tarnwick
