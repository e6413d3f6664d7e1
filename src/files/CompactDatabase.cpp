#include "data/Connection.h"
#include "data/Dataset.h"
#include "data/JetFile.h"
#include "files/CompactFile.h"
#include "files/DatabaseSession.h"

namespace tarnwick {

void DatabaseSession::CompactDatabase() {
  connection_.Close();
  query_.Close();
  table_.Close();
  // The names may still designate a Jet file that was refused when opened: it is not ours to
  // compact, and stays as it is.
  if (IsJetFile(DatabasePath())) return;
  CompactDatabaseFile(DatabasePath());
}

}  // namespace tarnwick
