#include "files/SavedQueryImport.h"

#include <optional>
#include <string>
#include <string_view>

#include "data/Dataset.h"
#include "text/Cp932.h"
#include "text/ResultPane.h"
#include "text/TarnwickError.h"
#include "text/messages/SavedQueryMessages.h"

namespace tarnwick {

namespace {

// Why a query is not even offered to the front end (UTF-8); nothing for one that is.
std::optional<std::string> ReasonNotOffered(const SavedQuery& query) {
  if (query.kind != SavedQueryKind::Select && query.kind != SavedQueryKind::Union) {
    return msg::QueryNotAView(query.kind);
  }
  if (!query.utf8Parameters.empty()) return msg::ParameterQueryNotAView();
  if (query.utf8Sql.empty()) return msg::QuerySqlUnreadable();
  return std::nullopt;
}

// What became of one query: imported, or not with the reason (Shift-JIS).
struct Outcome {
  bool imported = false;
  std::string sjisReason;
};

// Creates the query's view; the front end's message when it refuses, without the hint lines
// that follow it: they speak of the console's statement, which the user did not type.
std::optional<std::string> CreateView(Query& query, const SavedQuery& saved) {
  try {
    query.ExecUtf8Sql("CREATE VIEW [" + SjisToUtf8(saved.name) + "] AS " + saved.utf8Sql);
    query.Close();
    return std::nullopt;
  } catch (const TarnwickError& error) {
    query.Close();
    const std::string_view message = error.what();
    return std::string(message.substr(0, message.find_first_of("\r\n")));
  }
}

}  // namespace

void ImportSavedQueries(Query& query, const std::vector<SavedQuery>& queries, ResultPane& pane) {
  std::vector<Outcome> outcomes(queries.size());
  std::vector<std::size_t> pending;
  for (std::size_t i = 0; i < queries.size(); ++i) {
    if (const std::optional<std::string> reason = ReasonNotOffered(queries[i])) {
      outcomes[i].sjisReason = Utf8ToSjis(*reason);
    } else {
      pending.push_back(i);
    }
  }
  // A query that reads another query is refused until that one exists: the refused ones are
  // offered again as long as a round creates at least one view.
  for (bool progress = true; progress && !pending.empty();) {
    progress = false;
    std::vector<std::size_t> refused;
    for (std::size_t i : pending) {
      if (std::optional<std::string> message = CreateView(query, queries[i])) {
        outcomes[i].sjisReason = std::move(*message);
        refused.push_back(i);
      } else {
        outcomes[i].imported = true;
        progress = true;
      }
    }
    pending = std::move(refused);
  }
  for (std::size_t i = 0; i < queries.size(); ++i) {
    pane.AppendLine(outcomes[i].imported
                        ? msg::SavedQueryImported(queries[i].name)
                        : msg::SavedQueryNotImported(queries[i].name, outcomes[i].sjisReason));
  }
}

}  // namespace tarnwick
