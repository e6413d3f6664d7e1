#include "data/mdb/JetDatabase.h"

#include "data/mdb/JetCatalogue.h"
#include "data/mdb/JetFileChecks.h"
#include "data/mdb/JetSystemTables.h"
#include "data/mdb/JetTableScan.h"
#include "text/Cp932.h"
#include "text/messages/DatabaseMessages.h"

namespace tarnwick {

namespace {

std::string ColumnsNamed(const JetTableDefinition& definition, std::size_t position) {
  return Utf8ToSjis(definition.columns[position].utf8Name);
}

// The rows of one of the user's tables, as the import's source table reads them.
class JetTableRows : public RowSource {
 public:
  JetTableRows(const JetFileHandle& file, const JetCatalogueObject& table)
      : file_(file), scan_(file, table.utf8Name, table.DefinitionPage()) {
    for (const JetColumnInfo& info : scan_.Definition().columns) {
      SourceColumn column;
      column.name = Utf8ToSjis(info.utf8Name);
      if (info.type) {
        column.kind = info.type->kind;
        column.declaredType = info.type->declared;
      } else {
        // Made as a long binary so that the table can be made; its rows are refused below.
        column.kind = ftBlob;
        column.declaredType = "LONGBINARY";
        if (unsupported_.empty()) unsupported_ = info.utf8Name;
      }
      columns_.push_back(std::move(column));
    }
  }

  const std::vector<SourceColumn>& Columns() const override { return columns_; }

  void Rewind() override { scan_.Rewind(); }

  bool Fetch() override {
    if (!unsupported_.empty()) {
      throw JetFileProblem(file_.Path(), "のテーブル \"" + scan_.Definition().utf8Name +
                                             "\" の列 \"" + unsupported_ +
                                             "\" は Tarnwick にない型 (添付ファイル、複数値など) "
                                             "のため取り込めません");
    }
    return scan_.Fetch();
  }

  const std::vector<HeldValue>& Cells() const override { return scan_.Cells(); }

  std::int64_t RowCount() override { return scan_.Definition().rowCount; }

 private:
  const JetFileHandle& file_;
  JetTableScan scan_;
  std::vector<SourceColumn> columns_;
  std::string unsupported_;  // the first column of a type our engine does not have
};

}  // namespace

struct JetDatabase::Impl {
  Impl(std::string sjisPath, JetFileLayout layout, MdbHandle* mdb)
      : file(std::move(sjisPath), layout, mdb), catalogue(file) {}

  const JetCatalogueObject& UserTable(std::string_view sjisName) const {
    const JetCatalogueObject* table = catalogue.FindUserTable(sjisName);
    if (table == nullptr) {
      throw TarnwickError(msg::JetTableNotInFile(SjisToUtf8(file.Path()), SjisToUtf8(sjisName)));
    }
    return *table;
  }

  // Calls visit(table name in console text, definition, index) for every index of every one
  // of the user's tables.
  template <typename Visit>
  void ForEachIndex(Visit visit) {
    for (const JetCatalogueObject* table : catalogue.UserTables()) {
      const JetTableDefinition& definition = catalogue.Definition(*table);
      const std::string tableName = Utf8ToSjis(table->utf8Name);
      for (const JetIndexInfo& index : definition.indexes) visit(tableName, definition, index);
    }
  }

  JetFileHandle file;
  JetCatalogue catalogue;
};

std::unique_ptr<JetDatabase> JetDatabase::Open(const std::string& sjisPath) {
  const JetFileLayout layout = CheckJetFile(sjisPath);
  MdbHandle* mdb = Libmdb().open(NativePath(sjisPath).c_str(), MDB_NOFLAGS);
  if (mdb == nullptr) {
    throw JetFileProblem(sjisPath, "は Tarnwick が読めない形式か、壊れています");
  }
  if (mdb->fmt->pg_size != layout.pageSize) {
    Libmdb().close(mdb);
    throw JetFileProblem(sjisPath, "は Tarnwick が読めない形式か、壊れています");
  }
  // The handle is owned by the file object from here on, also when reading the catalogue fails.
  try {
    return std::unique_ptr<JetDatabase>(
        new JetDatabase(std::make_unique<Impl>(sjisPath, layout, mdb)));
  } catch (const JetFileUnreadable&) {
    // An .accdb whose catalogue cannot be read is most often encrypted, which the library
    // cannot read at all.
    if (layout.format != JetFileFormat::Ace) throw;
    throw JetFileProblem(sjisPath,
                         "は読めません (暗号化された .accdb か、Tarnwick が読めない形式"
                         "か、壊れています)");
  }
}

JetDatabase::JetDatabase(std::unique_ptr<Impl> impl) : impl_(std::move(impl)) {}

JetDatabase::~JetDatabase() = default;

const std::string& JetDatabase::Path() const { return impl_->file.Path(); }

std::vector<std::string> JetDatabase::TableNames() {
  std::vector<std::string> names;
  for (const JetCatalogueObject* table : impl_->catalogue.UserTables()) {
    names.push_back(Utf8ToSjis(table->utf8Name));
  }
  return names;
}

std::vector<KeyRow> JetDatabase::PrimaryKeyRows() {
  std::vector<KeyRow> rows;
  impl_->ForEachIndex([&](const std::string& table, const JetTableDefinition& definition,
                          const JetIndexInfo& index) {
    if (!index.primaryKey) return;
    for (std::size_t k = 0; k < index.columns.size(); ++k) {
      KeyRow row;
      row.tableName = table;
      row.columnName = ColumnsNamed(definition, index.columns[k]);
      row.ordinal = static_cast<std::int64_t>(k) + 1;
      row.keyName = Utf8ToSjis(index.utf8Name);
      rows.push_back(std::move(row));
    }
  });
  return rows;
}

std::vector<SourceIndex> JetDatabase::UniqueIndexes() {
  std::vector<SourceIndex> indexes;
  impl_->ForEachIndex([&](const std::string& table, const JetTableDefinition& definition,
                          const JetIndexInfo& index) {
    if (index.primaryKey || !index.unique) return;
    SourceIndex& unique = indexes.emplace_back();
    unique.tableName = table;
    unique.indexName = Utf8ToSjis(index.utf8Name);
    for (std::size_t position : index.columns) {
      unique.columns.push_back(ColumnsNamed(definition, position));
    }
    unique.descending = index.descending;
  });
  return indexes;
}

std::vector<SourceRelationship> JetDatabase::Relationships() {
  return ReadRelationships(impl_->file, impl_->catalogue);
}

std::vector<SavedQuery> JetDatabase::SavedQueries() {
  return ReadSavedQueries(impl_->file, impl_->catalogue);
}

std::optional<std::int64_t> JetDatabase::AutoNumberCounter(std::string_view sjisTable) {
  return impl_->catalogue.Definition(impl_->UserTable(sjisTable)).lastAutoNumber;
}

std::int64_t JetDatabase::RowCount(std::string_view sjisTable) {
  return impl_->catalogue.Definition(impl_->UserTable(sjisTable)).rowCount;
}

std::unique_ptr<RowSource> JetDatabase::OpenTable(std::string_view sjisTable) {
  return std::make_unique<JetTableRows>(impl_->file, impl_->UserTable(sjisTable));
}

}  // namespace tarnwick
