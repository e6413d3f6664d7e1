#include "data/mdb/JetSystemTables.h"

#include <algorithm>
#include <map>

#include "data/mdb/JetCatalogue.h"
#include "data/mdb/JetQuerySql.h"
#include "text/Cp932.h"

namespace tarnwick {

namespace {

// Relationship flags (grbit): Jet does not check the relationship; it cascades updates of the
// referenced key, and deletions of referenced rows.
constexpr std::int64_t kNotEnforced = 0x2;
constexpr std::int64_t kCascadeUpdates = 0x100;
constexpr std::int64_t kCascadeDeletes = 0x1000;

// The query type that MSysQueries keeps in the Flag of a query's row with Attribute 1.
SavedQueryKind KindOfFlag(std::int64_t flag) {
  switch (flag) {
    case 1:
      return SavedQueryKind::Select;
    case 2:
      return SavedQueryKind::MakeTable;
    case 3:
      return SavedQueryKind::Append;
    case 4:
      return SavedQueryKind::Update;
    case 5:
      return SavedQueryKind::Delete;
    case 6:
      return SavedQueryKind::Crosstab;
    case 7:
      return SavedQueryKind::DataDefinition;
    case 8:
      return SavedQueryKind::PassThrough;
    case 9:
      return SavedQueryKind::Union;
    default:
      return SavedQueryKind::Unknown;
  }
}

// A scan of a system table that reads the named columns; nothing when the file has no such
// table or the table lacks one of them.
std::unique_ptr<JetTableScan> SystemTableScan(const JetFileHandle& file,
                                              const JetCatalogue& catalogue,
                                              std::string_view utf8Name,
                                              const std::vector<std::string_view>& columns) {
  const JetCatalogueObject* table = catalogue.FindTable(utf8Name);
  if (table == nullptr) return nullptr;
  auto scan = std::make_unique<JetTableScan>(file, table->utf8Name, table->DefinitionPage());
  for (std::string_view column : columns) {
    if (!scan->ColumnPosition(column)) return nullptr;
  }
  scan->DecodeOnly(columns);
  scan->Rewind();
  return scan;
}

std::string TextOf(const JetTableScan& scan, std::string_view column) {
  const HeldValue& cell = scan.Cells()[*scan.ColumnPosition(column)];
  return cell.type == CellValue::Text ? cell.bytes : std::string();
}

std::int64_t IntegerOf(const JetTableScan& scan, std::string_view column) {
  const HeldValue& cell = scan.Cells()[*scan.ColumnPosition(column)];
  return cell.type == CellValue::Integer ? cell.integer : 0;
}

struct RelationshipColumn {
  std::int64_t position;
  std::string column;
  std::string referencedColumn;
};

struct RelationshipRows {
  std::string table;
  std::string referencedTable;
  std::int64_t flags = 0;
  std::vector<RelationshipColumn> columns;
};

}  // namespace

std::vector<SourceRelationship> ReadRelationships(const JetFileHandle& file,
                                                  JetCatalogue& catalogue) {
  const std::unique_ptr<JetTableScan> scan =
      SystemTableScan(file, catalogue, "MSysRelationships",
                      {"grbit", "icolumn", "szColumn", "szObject", "szReferencedColumn",
                       "szReferencedObject", "szRelationship"});
  if (!scan) return {};
  std::vector<std::string> order;
  std::map<std::string, RelationshipRows> byName;
  while (scan->Fetch()) {
    const std::string name = TextOf(*scan, "szRelationship");
    auto [found, added] = byName.try_emplace(name);
    if (added) order.push_back(name);
    RelationshipRows& rows = found->second;
    rows.table = TextOf(*scan, "szObject");
    rows.referencedTable = TextOf(*scan, "szReferencedObject");
    rows.flags = IntegerOf(*scan, "grbit");
    rows.columns.push_back({IntegerOf(*scan, "icolumn"), TextOf(*scan, "szColumn"),
                            TextOf(*scan, "szReferencedColumn")});
  }
  std::vector<SourceRelationship> relationships;
  for (const std::string& name : order) {
    RelationshipRows& rows = byName[name];
    const JetCatalogueObject* table = catalogue.FindTable(rows.table);
    const JetCatalogueObject* referenced = catalogue.FindTable(rows.referencedTable);
    if ((rows.flags & kNotEnforced) != 0 || table == nullptr || referenced == nullptr ||
        !table->IsUserTable() || !referenced->IsUserTable()) {
      continue;
    }
    std::stable_sort(rows.columns.begin(), rows.columns.end(),
                     [](const auto& a, const auto& b) { return a.position < b.position; });
    SourceRelationship relationship;
    relationship.name = Utf8ToSjis(name);
    relationship.tableName = Utf8ToSjis(rows.table);
    relationship.referencedTable = Utf8ToSjis(rows.referencedTable);
    for (const RelationshipColumn& column : rows.columns) {
      relationship.columns.push_back(Utf8ToSjis(column.column));
      relationship.referencedColumns.push_back(Utf8ToSjis(column.referencedColumn));
    }
    relationship.cascadeUpdates = (rows.flags & kCascadeUpdates) != 0;
    relationship.cascadeDeletes = (rows.flags & kCascadeDeletes) != 0;
    relationships.push_back(std::move(relationship));
  }
  return relationships;
}

std::vector<SavedQuery> ReadSavedQueries(const JetFileHandle& file, JetCatalogue& catalogue) {
  std::map<std::int64_t, std::vector<JetQueryRow>> rowsById;
  if (const std::unique_ptr<JetTableScan> scan = SystemTableScan(
          file, catalogue, "MSysQueries",
          {"ObjectId", "Attribute", "Flag", "Name1", "Name2", "Expression", "Order"})) {
    while (scan->Fetch()) {
      const HeldValue& order = scan->Cells()[*scan->ColumnPosition("Order")];
      rowsById[IntegerOf(*scan, "ObjectId")].push_back(
          {static_cast<int>(IntegerOf(*scan, "Attribute")), IntegerOf(*scan, "Flag"),
           TextOf(*scan, "Name1"), TextOf(*scan, "Name2"), TextOf(*scan, "Expression"),
           order.type == CellValue::Null ? std::string() : order.bytes});
    }
  }
  std::vector<SavedQuery> queries;
  for (const JetCatalogueObject& object : catalogue.Objects()) {
    if (!object.IsQuery() || object.utf8Name.starts_with("~")) continue;
    SavedQuery query;
    query.name = Utf8ToSjis(object.utf8Name);
    std::vector<JetQueryRow>& rows = rowsById[object.id];
    const auto kindRow = std::find_if(rows.begin(), rows.end(),
                                      [](const JetQueryRow& row) { return row.attribute == 1; });
    if (kindRow != rows.end()) query.kind = KindOfFlag(kindRow->flag);
    JetQueryText text = RebuildJetQuerySql(query.kind, std::move(rows));
    query.utf8Sql = std::move(text.utf8Sql);
    query.utf8Parameters = std::move(text.utf8Parameters);
    queries.push_back(std::move(query));
  }
  return queries;
}

}  // namespace tarnwick
