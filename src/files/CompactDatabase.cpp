#include "data/Connection.h"
#include "data/Dataset.h"
#include "files/CompactFile.h"
#include "files/DatabaseSession.h"
#include "text/Cp932.h"
#include "text/ResultPane.h"

namespace tarnwick {

void DatabaseSession::CompactDatabase() {
  connection_.Close();
  query_.Close();
  table_.Close();
  const CompactOutcome outcome = CompactDatabaseFile(DatabasePath());
  if (!outcome.removedCopy.empty()) {
    pane_.AppendLine(Sjis("以前の版が残した最適化用のファイル \"") + outcome.removedCopy +
                     Sjis("\" を削除しました"));
  }
}

}  // namespace tarnwick
