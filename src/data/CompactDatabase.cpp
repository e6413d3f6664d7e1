#include "data/CompactFile.h"
#include "data/Connection.h"
#include "data/DatabaseSession.h"
#include "data/Dataset.h"

namespace tarnwick {

void DatabaseSession::CompactDatabase() {
  connection_.Close();
  query_.Close();
  table_.Close();
  CompactDatabaseFile(DatabasePath());
}

}  // namespace tarnwick
