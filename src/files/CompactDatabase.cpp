#include "data/Connection.h"
#include "data/Dataset.h"
#include "files/CompactFile.h"
#include "files/DatabaseSession.h"

namespace tarnwick {

void DatabaseSession::CompactDatabase() {
  connection_.Close();
  query_.Close();
  table_.Close();
  CompactDatabaseFile(DatabasePath());
}

}  // namespace tarnwick
