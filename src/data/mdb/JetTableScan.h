#pragma once
// One table of an open Jet file: its definition, and a scan over its rows that decodes each
// value from its stored bytes. Private to the Jet reader.
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "data/Field.h"
#include "data/JetColumnType.h"
#include "data/JetText.h"
#include "data/mdb/JetFileChecks.h"
#include "data/mdb/MdbLibrary.h"

namespace tarnwick {

// The library's handle on a Jet file, with what every read of it needs.
class JetFileHandle {
 public:
  JetFileHandle(std::string sjisPath, JetFileLayout layout, MdbHandle* mdb);
  ~JetFileHandle();
  JetFileHandle(const JetFileHandle&) = delete;
  JetFileHandle& operator=(const JetFileHandle&) = delete;

  const std::string& Path() const { return path_; }
  const JetFileLayout& Layout() const { return layout_; }
  MdbHandle* Mdb() const { return mdb_; }
  const JetTextEncoding& TextEncoding() const { return textEncoding_; }

  // Reads a page of the file into the library's page buffer; false for a page outside the
  // file or one that cannot be read. (The library would otherwise take a failed page for
  // read on the next try and hand back whatever its buffer held.)
  bool ReadPage(unsigned long page) const;

  // The file is damaged: what was found, in words (UTF-8), goes into the message.
  [[noreturn]] void Damaged(std::string_view utf8What) const;

 private:
  std::string path_;
  JetFileLayout layout_;
  MdbHandle* mdb_;
  JetTextEncoding textEncoding_;
};

struct JetColumnInfo {
  std::string utf8Name;
  int typeCode = 0;
  int scale = 0;
  int rowColumnNumber = 0;            // the number indexes name the column by
  std::optional<JetColumnType> type;  // nothing for a type our engine does not have
};

struct JetIndexInfo {
  std::string utf8Name;
  bool primaryKey = false;
  bool unique = false;
  std::vector<std::size_t> columns;  // positions in the table's columns
  std::vector<bool> descending;
};

struct JetTableDefinition {
  std::string utf8Name;
  std::vector<JetColumnInfo> columns;
  std::vector<JetIndexInfo> indexes;
  std::int64_t rowCount = 0;  // as the definition counts them
  std::optional<std::int64_t> lastAutoNumber;
};

class JetTableScan {
 public:
  // Reads the definition at its page. Throws (through Damaged) when it cannot be read.
  JetTableScan(const JetFileHandle& file, std::string utf8Name, unsigned long definitionPage);
  ~JetTableScan();
  JetTableScan(const JetTableScan&) = delete;
  JetTableScan& operator=(const JetTableScan&) = delete;

  const JetTableDefinition& Definition() const { return definition_; }
  // Decodes only the named columns (the others read NULL); by default all of them.
  void DecodeOnly(const std::vector<std::string_view>& utf8Names);
  // The position of a column, or nothing.
  std::optional<std::size_t> ColumnPosition(std::string_view utf8Name) const;

  void Rewind();
  // The next live row into Cells(): deleted rows are passed over, moved rows followed to
  // where they lie. False after the last row; a table that ends before the rows its
  // definition counts is damaged.
  bool Fetch();
  const std::vector<HeldValue>& Cells() const { return cells_; }

 private:
  struct TableDefinitionFree {
    void operator()(MdbTableDef* table) const { Libmdb().freeTable(table); }
  };

  void ReadDefinition();
  bool NextSlot();
  bool NextDataPage();
  bool ReadSlot(unsigned slot);
  void ReadMovedRow(int offset, std::size_t size);
  void DecodeRow(int offset, std::size_t size);
  void DecodeValue(std::size_t column, const MdbField& field, int rowStart, std::size_t rowSize);
  [[noreturn]] void BadValue(std::size_t column) const;

  const JetFileHandle& file_;
  MdbCatalogEntry entry_{};
  std::unique_ptr<MdbTableDef, TableDefinitionFree> table_;
  JetTableDefinition definition_;
  std::vector<bool> decoded_;
  std::vector<MdbField> fields_;
  std::vector<HeldValue> cells_;
  std::string savedPage_;
  bool onPage_ = false;
  bool atEnd_ = false;
  unsigned nextSlot_ = 0;
  guint32 currentPage_ = 0;
  std::int64_t rowsRead_ = 0;
};

}  // namespace tarnwick
