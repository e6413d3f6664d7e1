#include "data/mdb/JetCatalogue.h"

#include "text/AsciiCase.h"
#include "text/Cp932.h"

namespace tarnwick {

namespace {

// The system catalogue's definition always lies on page 2.
constexpr unsigned long kCataloguePage = 2;

}  // namespace

JetCatalogue::JetCatalogue(const JetFileHandle& file) : file_(file) {
  JetTableScan scan(file, "MSysObjects", kCataloguePage);
  const auto id = scan.ColumnPosition("Id");
  const auto name = scan.ColumnPosition("Name");
  const auto type = scan.ColumnPosition("Type");
  const auto flags = scan.ColumnPosition("Flags");
  if (!id || !name || !type || !flags) file.Damaged("システムカタログの列がありません");
  scan.DecodeOnly({"Id", "Name", "Type", "Flags"});
  scan.Rewind();
  while (scan.Fetch()) {
    const std::vector<HeldValue>& cells = scan.Cells();
    if (cells[*name].type != CellValue::Text) continue;  // not an object one can name
    JetCatalogueObject object;
    object.id = static_cast<std::int32_t>(cells[*id].integer);
    object.utf8Name = cells[*name].bytes;
    object.type = static_cast<int>(cells[*type].integer);
    object.flags = static_cast<std::uint32_t>(cells[*flags].integer);
    objects_.push_back(std::move(object));
  }
}

std::vector<const JetCatalogueObject*> JetCatalogue::UserTables() const {
  std::vector<const JetCatalogueObject*> tables;
  for (const JetCatalogueObject& object : objects_) {
    if (object.IsUserTable()) tables.push_back(&object);
  }
  return tables;
}

const JetCatalogueObject* JetCatalogue::FindUserTable(std::string_view sjisName) const {
  const JetCatalogueObject* sameButCase = nullptr;
  for (const JetCatalogueObject& object : objects_) {
    if (!object.IsUserTable()) continue;
    const std::string name = Utf8ToSjis(object.utf8Name);
    if (name == sjisName) return &object;
    if (sameButCase == nullptr && EqualsIgnoringAsciiCase(name, sjisName)) sameButCase = &object;
  }
  return sameButCase;
}

const JetCatalogueObject* JetCatalogue::FindTable(std::string_view utf8Name) const {
  for (const JetCatalogueObject& object : objects_) {
    if (object.IsTable() && object.utf8Name == utf8Name) return &object;
  }
  return nullptr;
}

const JetTableDefinition& JetCatalogue::Definition(const JetCatalogueObject& table) {
  auto found = definitions_.find(table.id);
  if (found == definitions_.end()) {
    JetTableScan scan(file_, table.utf8Name, table.DefinitionPage());
    found = definitions_.emplace(table.id, scan.Definition()).first;
  }
  return found->second;
}

}  // namespace tarnwick
