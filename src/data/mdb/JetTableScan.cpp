#include "data/mdb/JetTableScan.h"

#include <algorithm>
#include <cstring>

#include "data/JetValues.h"
#include "data/mdb/JetLongValue.h"
#include "text/Cp932.h"
#include "text/messages/DatabaseMessages.h"

namespace tarnwick {

namespace {

constexpr int kOffsetMask = 0x1FFF;
constexpr int kDeletedRow = 0x8000;
constexpr int kMovedRow = 0x4000;
constexpr unsigned char kDataPage = 0x01;
constexpr unsigned char kDefinitionPage = 0x02;
// Jet allows 255 columns and 32 indexes to a table; a definition claiming more is damaged.
constexpr unsigned kMaxColumns = 255;
constexpr unsigned kMaxIndexes = 256;

std::size_t FixedSize(int typeCode) {
  switch (typeCode) {
    case kJetByte:
      return 1;
    case kJetInteger:
      return 2;
    case kJetLong:
    case kJetSingle:
      return 4;
    case kJetCurrency:
    case kJetDouble:
    case kJetDateTime:
    case kJetBigInt:
      return 8;
    case kJetGuid:
      return 16;
    case kJetDecimal:
      return 17;
    default:
      return 0;
  }
}

// The integers of the library's page buffer, at offsets within the page.
std::string_view PageBytes(const MdbHandle* mdb, int offset) {
  return std::string_view(reinterpret_cast<const char*>(mdb->pg_buf) + offset, 4);
}
unsigned PageWord(const MdbHandle* mdb, int offset) {
  return static_cast<std::uint16_t>(LittleEndian16(PageBytes(mdb, offset)));
}
std::int32_t PageLong(const MdbHandle* mdb, int offset) {
  return LittleEndian32(PageBytes(mdb, offset));
}

}  // namespace

JetFileHandle::JetFileHandle(std::string sjisPath, JetFileLayout layout, MdbHandle* mdb)
    : path_(std::move(sjisPath)), layout_(layout), mdb_(mdb) {
  textEncoding_.unicode = layout.format != JetFileFormat::Jet3;
  textEncoding_.codePage = mdb->f->code_page != 0 ? mdb->f->code_page : 1252;
}

JetFileHandle::~JetFileHandle() { Libmdb().close(mdb_); }

bool JetFileHandle::ReadPage(unsigned long page) const {
  if (static_cast<std::int64_t>(page) < layout_.pageCount &&
      Libmdb().readPage(mdb_, page) == layout_.pageSize) {
    return true;
  }
  mdb_->cur_pg = 0;  // never taken for a page already read
  return false;
}

void JetFileHandle::Damaged(std::string_view utf8What) const {
  mdb_->cur_pg = 0;  // whatever failed to read is not taken for read later
  throw JetFileProblem(path_, msg::JetFileDamaged(utf8What));
}

JetTableScan::JetTableScan(const JetFileHandle& file, std::string utf8Name,
                           unsigned long definitionPage)
    : file_(file) {
  definition_.utf8Name = std::move(utf8Name);
  if (definitionPage == 0 || static_cast<std::int64_t>(definitionPage) >= file.Layout().pageCount) {
    file.Damaged(msg::JetTableDefinitionOutsideFile(definition_.utf8Name));
  }
  entry_.mdb = file.Mdb();
  entry_.object_type = MDB_TABLE;
  entry_.table_pg = definitionPage;
  std::snprintf(entry_.object_name, sizeof entry_.object_name, "%s", definition_.utf8Name.c_str());
  ReadDefinition();
  decoded_.assign(definition_.columns.size(), true);
  cells_.resize(definition_.columns.size());
  fields_.resize(definition_.columns.size());
  savedPage_.resize(static_cast<std::size_t>(file.Layout().pageSize));
}

JetTableScan::~JetTableScan() = default;

void JetTableScan::ReadDefinition() {
  MdbHandle* mdb = file_.Mdb();
  const std::string& name = definition_.utf8Name;
  if (!file_.ReadPage(entry_.table_pg) || mdb->pg_buf[0] != kDefinitionPage) {
    file_.Damaged(msg::JetTableDefinitionUnreadable(name));
  }
  // The counts the library trusts, checked before it loops over them.
  const unsigned columnCount = PageWord(mdb, mdb->fmt->tab_num_cols_offset);
  const auto indexCount = static_cast<std::uint32_t>(PageLong(mdb, mdb->fmt->tab_num_idxs_offset));
  const auto realIndexCount =
      static_cast<std::uint32_t>(PageLong(mdb, mdb->fmt->tab_num_ridxs_offset));
  if (columnCount == 0 || columnCount > kMaxColumns || indexCount > kMaxIndexes ||
      realIndexCount > kMaxIndexes) {
    file_.Damaged(msg::JetTableCountsImpossible(name));
  }
  const auto lastAutoNumber = PageLong(mdb, mdb->fmt->tab_num_rows_offset + 4);
  table_.reset(Libmdb().readTable(&entry_));
  // The library follows the usage map (which pages hold the rows) without looking at it.
  if (!table_ || table_->usage_map == nullptr || table_->map_sz < 1 ||
      Libmdb().readColumns(table_.get()) == nullptr || table_->num_cols != columnCount) {
    file_.Damaged(msg::JetTableDefinitionUnreadable(name));
  }
  Libmdb().readIndices(table_.get());
  definition_.rowCount = table_->num_rows;

  bool numbered = false;
  for (unsigned i = 0; i < table_->num_cols; ++i) {
    const auto* column = static_cast<const MdbColumn*>(g_ptr_array_index(table_->columns, i));
    JetColumnInfo info;
    info.utf8Name = column->name;
    info.typeCode = column->col_type;
    info.rowColumnNumber = column->row_col_num;
    JetColumnShape shape;
    shape.typeCode = column->col_type;
    shape.size = column->col_size;
    // The library's 1.0 names the two bytes the other way round: precision comes first.
    shape.precision = column->col_scale;
    shape.scale = column->col_prec;
    shape.autoNumber = column->col_type == kJetLong && column->is_long_auto != 0;
    shape.unicodeText = file_.TextEncoding().unicode;
    info.scale = shape.scale;
    info.type = JetColumnTypeOf(shape);
    numbered = numbered || shape.autoNumber;
    definition_.columns.push_back(std::move(info));
  }
  if (numbered) definition_.lastAutoNumber = lastAutoNumber;

  if (table_->indices == nullptr) return;
  for (unsigned i = 0; i < table_->indices->len; ++i) {
    const auto* index = static_cast<const MdbIndex*>(g_ptr_array_index(table_->indices, i));
    JetIndexInfo info;
    info.utf8Name = index->name;
    info.primaryKey = index->index_type == 1;
    info.unique = (index->flags & MDB_IDX_UNIQUE) != 0;
    const unsigned keys = std::min<unsigned>(index->num_keys, MDB_MAX_IDX_COLS);
    for (unsigned k = 0; k < keys; ++k) {
      const int number = index->key_col_num[k] - 1;
      const auto found = std::find_if(
          definition_.columns.begin(), definition_.columns.end(),
          [&](const JetColumnInfo& column) { return column.rowColumnNumber == number; });
      if (found == definition_.columns.end()) break;
      info.columns.push_back(static_cast<std::size_t>(found - definition_.columns.begin()));
      info.descending.push_back(index->key_col_order[k] == MDB_DESC);
    }
    // An index whose columns cannot all be named (one kept for a relationship) is no index.
    if (info.columns.size() == keys && keys > 0 && index->index_type != 2) {
      definition_.indexes.push_back(std::move(info));
    }
  }
}

std::optional<std::size_t> JetTableScan::ColumnPosition(std::string_view utf8Name) const {
  for (std::size_t i = 0; i < definition_.columns.size(); ++i) {
    if (definition_.columns[i].utf8Name == utf8Name) return i;
  }
  return std::nullopt;
}

void JetTableScan::DecodeOnly(const std::vector<std::string_view>& utf8Names) {
  decoded_.assign(definition_.columns.size(), false);
  for (std::string_view name : utf8Names) {
    if (const auto position = ColumnPosition(name)) decoded_[*position] = true;
  }
}

void JetTableScan::Rewind() {
  Libmdb().rewindTable(table_.get());
  onPage_ = false;
  atEnd_ = false;
  nextSlot_ = 0;
  rowsRead_ = 0;
}

bool JetTableScan::Fetch() {
  while (NextSlot()) {
    if (ReadSlot(nextSlot_ - 1)) {
      ++rowsRead_;
      return true;
    }
  }
  if (!atEnd_ && rowsRead_ < definition_.rowCount) {
    // The definition counts rows that no page holds: pages are missing or unreadable. (More
    // rows than counted is fine: the count is not kept up when a program stops abruptly.)
    file_.Damaged(msg::JetTableRowsMissing(definition_.utf8Name, definition_.rowCount, rowsRead_));
  }
  atEnd_ = true;
  return false;
}

bool JetTableScan::NextSlot() {
  if (atEnd_) return false;
  MdbHandle* mdb = file_.Mdb();
  if (!onPage_) {
    if (!NextDataPage()) return false;
    onPage_ = true;
  } else if (mdb->cur_pg != currentPage_ && !file_.ReadPage(currentPage_)) {
    // Another reading of the file (a long value, a moved row, another table) took the page
    // buffer since the last row, and the page cannot be read again.
    return false;
  }
  while (true) {
    const auto rows = PageWord(mdb, mdb->fmt->row_count_offset);
    if (nextSlot_ < rows) {
      ++nextSlot_;
      return true;
    }
    if (!NextDataPage()) return false;
  }
}

bool JetTableScan::NextDataPage() {
  if (Libmdb().readNextDataPage(table_.get()) == 0) {
    file_.Mdb()->cur_pg = 0;  // the last page may have failed to read
    return false;
  }
  currentPage_ = file_.Mdb()->cur_pg;
  nextSlot_ = 0;
  return true;
}

bool JetTableScan::ReadSlot(unsigned slot) {
  int start = 0;
  std::size_t size = 0;
  if (Libmdb().findRow(file_.Mdb(), static_cast<int>(slot), &start, &size) != 0 || size == 0) {
    return false;
  }
  if ((start & kDeletedRow) != 0) return false;
  if ((start & kMovedRow) != 0) {
    ReadMovedRow(start & kOffsetMask, size);
  } else {
    DecodeRow(start & kOffsetMask, size);
  }
  return true;
}

// A row that no longer fit its page: its place holds the row number (one byte) and the page
// (three bytes) where it lies now. The page being scanned is put back afterwards.
void JetTableScan::ReadMovedRow(int offset, std::size_t size) {
  MdbHandle* mdb = file_.Mdb();
  const auto pageSize = static_cast<std::size_t>(file_.Layout().pageSize);
  const unsigned char* pointer = mdb->pg_buf + offset;
  if (size < 4 || static_cast<std::size_t>(offset) + 4 > pageSize) {
    file_.Damaged(msg::JetMovedRowDamaged(definition_.utf8Name));
  }
  const unsigned row = pointer[0];
  const std::uint32_t page =
      pointer[1] | (pointer[2] << 8) | (static_cast<std::uint32_t>(pointer[3]) << 16);
  std::memcpy(savedPage_.data(), mdb->pg_buf, pageSize);
  struct PageRestorer {
    MdbHandle* mdb;
    const std::string& saved;
    guint32 page;
    ~PageRestorer() {
      std::memcpy(mdb->pg_buf, saved.data(), saved.size());
      mdb->cur_pg = page;
    }
  } restorer{mdb, savedPage_, mdb->cur_pg};
  int start = 0;
  std::size_t rowSize = 0;
  if (page == 0 || !file_.ReadPage(page) || mdb->pg_buf[0] != kDataPage ||
      static_cast<unsigned long>(static_cast<std::uint32_t>(PageLong(mdb, 4))) != entry_.table_pg ||
      Libmdb().findRow(mdb, static_cast<int>(row), &start, &rowSize) != 0 || rowSize == 0) {
    file_.Damaged(msg::JetMovedRowMissing(definition_.utf8Name));
  }
  DecodeRow(start & kOffsetMask, rowSize);
}

void JetTableScan::DecodeRow(int offset, std::size_t size) {
  const auto pageSize = static_cast<std::size_t>(file_.Layout().pageSize);
  if (offset < 0 || static_cast<std::size_t>(offset) + size > pageSize) {
    file_.Damaged(msg::JetRowOutsidePage(definition_.utf8Name));
  }
  for (HeldValue& cell : cells_) cell.SetNull();
  const int count = Libmdb().crackRow(table_.get(), offset, size, fields_.data());
  if (count < 0) file_.Damaged(msg::JetRowUnreadable(definition_.utf8Name));
  const std::size_t fields = std::min(static_cast<std::size_t>(count), fields_.size());
  for (std::size_t i = 0; i < fields; ++i) {
    const MdbField& field = fields_[i];
    if (field.colnum < 0 || static_cast<std::size_t>(field.colnum) >= cells_.size()) {
      file_.Damaged(msg::JetRowUnreadable(definition_.utf8Name));
    }
    const auto column = static_cast<std::size_t>(field.colnum);
    if (decoded_[column]) DecodeValue(column, field, offset, size);
  }
}

void JetTableScan::DecodeValue(std::size_t column, const MdbField& field, int rowStart,
                               std::size_t rowSize) {
  const JetColumnInfo& info = definition_.columns[column];
  HeldValue& cell = cells_[column];
  // A Yes/No value is its bit in the row's null mask: set is Yes.
  if (info.typeCode == kJetYesNo) {
    cell.SetInteger(field.is_null ? 0 : -1);
    return;
  }
  if (field.is_null) return;
  if (field.start < rowStart || field.siz < 0 ||
      static_cast<std::size_t>(field.start) + static_cast<std::size_t>(field.siz) >
          static_cast<std::size_t>(rowStart) + rowSize) {
    BadValue(column);
  }
  const std::string_view bytes(reinterpret_cast<const char*>(file_.Mdb()->pg_buf) + field.start,
                               static_cast<std::size_t>(field.siz));
  if (bytes.size() < FixedSize(info.typeCode)) BadValue(column);
  switch (info.typeCode) {
    case kJetByte:
      cell.SetInteger(static_cast<unsigned char>(bytes[0]));
      return;
    case kJetInteger:
      cell.SetInteger(LittleEndian16(bytes));
      return;
    case kJetLong:
      cell.SetInteger(LittleEndian32(bytes));
      return;
    case kJetBigInt:
      cell.SetInteger(LittleEndian64(bytes));
      return;
    case kJetCurrency:
      cell.SetText(CurrencyText(LittleEndian64(bytes)));
      return;
    case kJetSingle:
      cell.SetFloat(SingleAsDouble(LittleEndianFloat(bytes)));
      return;
    case kJetDouble:
      cell.SetFloat(LittleEndianDouble(bytes));
      return;
    case kJetDateTime: {
      const std::optional<std::string> text = JetDateTimeText(LittleEndianDouble(bytes));
      if (!text) BadValue(column);
      cell.SetText(*text);
      return;
    }
    case kJetGuid:
      cell.SetText(GuidText(bytes));
      return;
    case kJetDecimal: {
      const std::optional<std::string> text = DecimalText(bytes, info.scale);
      if (!text) BadValue(column);
      cell.SetText(*text);
      return;
    }
    case kJetText:
      cell.SetText(JetTextToUtf8(bytes, file_.TextEncoding()));
      return;
    case kJetBinary:
      cell.SetBlob(bytes);
      return;
    case kJetMemo:
    case kJetOle: {
      const std::string definition(bytes);  // the page buffer is read into while following it
      const std::optional<std::string> value = ReadJetLongValue(file_, definition);
      if (!value) BadValue(column);
      if (info.typeCode == kJetMemo) {
        cell.SetText(JetTextToUtf8(*value, file_.TextEncoding()));
      } else {
        cell.SetBlob(*value);
      }
      return;
    }
    default:
      return;  // a type our engine does not have: the table is refused before its rows are read
  }
}

void JetTableScan::BadValue(std::size_t column) const {
  file_.Damaged(
      msg::JetValueUnreadable(definition_.utf8Name, definition_.columns[column].utf8Name));
}

}  // namespace tarnwick
