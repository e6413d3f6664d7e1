#include "data/Connection.h"
#include "data/Dataset.h"
#include "data/JetFile.h"
#include "files/CompactFile.h"
#include "files/DatabaseSession.h"
#include "text/Cp932.h"
#include "text/FileAccess.h"
#include "text/ResultPane.h"

namespace tarnwick {

void DatabaseSession::CompactDatabase() {
  connection_.Close();
  query_.Close();
  table_.Close();
  // The names may still designate a Jet file that was refused when opened: it is not ours to
  // compact, and stays as it is.
  if (IsJetFile(DatabasePath())) return;
  // A database that was never there (named on the command line) or has gone has nothing to
  // compact, and no message is due after the window has closed.
  if (!FileExists(DatabasePath())) return;
  const CompactOutcome outcome = CompactDatabaseFile(DatabasePath());
  if (!outcome.removedCopy.empty()) {
    pane_.AppendLine(Sjis("以前の版が残した最適化用のファイル \"") + outcome.removedCopy +
                     Sjis("\" を削除しました"));
  }
}

}  // namespace tarnwick
