#include <gtest/gtest.h>

#include "data/JetTranslate.h"

namespace tarnwick {
namespace {

TEST(JetTranslateTest, OtherStatementsComeBackByteForByte) {
  for (std::string_view sql : {
           "SELECT * FROM Items WHERE Name = 'CREATE TABLE x (a MEMO)'",
           "  insert into t values ('MEMO', \"LONG\") ;  -- COUNTER\r\n",
           "CREATE TABLE Copy AS SELECT * FROM Items",
           "CREATE INDEX ix ON t (a)",
           "CREATE VIEW v AS SELECT 1",
           "DROP TABLE t",
           "ALTER TABLE t DROP COLUMN m",
           "ALTER TABLE t ADD CONSTRAINT pk PRIMARY KEY (a)",
           "",
           "   ",
           "CREATE",
           "CREATE TABLE",
           "CREATE TABLE t",
           "CREATE TABLE t (a MEMO",
           "CREATE TABLE t (a MEMO DEFAULT 'x)",
           "ALTER TABLE t ADD",
           "CREATE TABLE t ()",
           "CREATE TABLE t (a, b TEXT, c INTEGER, d)",
       }) {
    EXPECT_EQ(TranslateJetSql(sql), sql);
  }
}

TEST(JetTranslateTest, TypesTheEngineWouldMisreadGetTheirStorageWordAfterTheName) {
  EXPECT_EQ(TranslateJetSql("CREATE TABLE t (a MEMO, b NOTE, c STRING(50), d GUID)"),
            "CREATE TABLE t (a MEMO TEXT, b NOTE TEXT, c STRING TEXT(50), d GUID TEXT)");
  EXPECT_EQ(TranslateJetSql("CREATE TABLE t (a SHORT, b BYTE, c LONG, d SINGLE)"),
            "CREATE TABLE t (a SHORT INT, b BYTE INT, c LONG INT, d SINGLE REAL)");
  EXPECT_EQ(TranslateJetSql("CREATE TABLE t (a DATETIME, b DATE, c TIME, d TIMESTAMP)"),
            "CREATE TABLE t (a DATETIME TEXT, b DATE TEXT, c TIME TEXT, d TIMESTAMP TEXT)");
  EXPECT_EQ(TranslateJetSql(
                "CREATE TABLE t (a BINARY(16), b VARBINARY, c LONGBINARY, d OLEOBJECT, e IMAGE)"),
            "CREATE TABLE t (a BINARY BLOB(16), b VARBINARY BLOB, c LONGBINARY BLOB, "
            "d OLEOBJECT BLOB, e IMAGE BLOB)");
  // Letter case and spacing of the user's text stay.
  EXPECT_EQ(TranslateJetSql("create table t(a memo not null,b String ( 20 ))"),
            "create table t(a memo TEXT not null,b String TEXT ( 20 ))");
}

TEST(JetTranslateTest, TypesTheEngineReadsRightStayAsWritten) {
  for (std::string_view type : {"TEXT",          "TEXT(50)",
                                "CHAR",          "VARCHAR(10)",
                                "NVARCHAR",      "CHARACTER",
                                "LONGTEXT",      "LONGCHAR",
                                "INTEGER",       "INT",
                                "SMALLINT",      "TINYINT",
                                "BIGINT",        "REAL",
                                "FLOAT",         "DOUBLE",
                                "MONEY",         "CURRENCY",
                                "DECIMAL(10,2)", "NUMERIC",
                                "YESNO",         "BIT",
                                "LOGICAL",       "BOOLEAN",
                                "BLOB",          "double precision",
                                "UNKNOWNTYPE"}) {
    const std::string sql = "CREATE TABLE t (a " + std::string(type) + ")";
    EXPECT_EQ(TranslateJetSql(sql), sql);
  }
}

TEST(JetTranslateTest, EverythingButTypeWordsStaysByteForByte) {
  EXPECT_EQ(TranslateJetSql("CREATE TABLE [商品 一覧] (\r\n"
                            "  [商品 名] MEMO DEFAULT 'MEMO' /* LONG */ ,  -- SHORT, x\r\n"
                            "  \"a\"\"b\" LONG CHECK (\"a\"\"b\" > 0 AND 'x' <> 'LONG'),\r\n"
                            "  顧客名 STRING(20) NOT NULL\r\n"
                            ");"),
            "CREATE TABLE [商品 一覧] (\r\n"
            "  [商品 名] MEMO TEXT DEFAULT 'MEMO' /* LONG */ ,  -- SHORT, x\r\n"
            "  \"a\"\"b\" LONG INT CHECK (\"a\"\"b\" > 0 AND 'x' <> 'LONG'),\r\n"
            "  顧客名 STRING TEXT(20) NOT NULL\r\n"
            ");");
  EXPECT_EQ(TranslateJetSql("CREATE TEMP TABLE IF NOT EXISTS main.t (a MEMO) WITHOUT ROWID"),
            "CREATE TEMP TABLE IF NOT EXISTS main.t (a MEMO TEXT) WITHOUT ROWID");
}

TEST(JetTranslateTest, CounterBecomesTheAutoNumberedKey) {
  EXPECT_EQ(TranslateJetSql("CREATE TABLE Items (ID COUNTER Primary Key, Name CHAR);"),
            "CREATE TABLE Items (ID INTEGER Primary Key AUTOINCREMENT, Name CHAR);");
  EXPECT_EQ(TranslateJetSql("CREATE TABLE t (ID COUNTER(1, 1), Name TEXT)"),
            "CREATE TABLE t (ID INTEGER PRIMARY KEY AUTOINCREMENT, Name TEXT)");
  EXPECT_EQ(TranslateJetSql("CREATE TABLE t (ID AUTOINCREMENT CONSTRAINT pk PRIMARY KEY)"),
            "CREATE TABLE t (ID INTEGER CONSTRAINT pk PRIMARY KEY AUTOINCREMENT)");
  EXPECT_EQ(TranslateJetSql("CREATE TABLE t (ID COUNTER PRIMARY KEY ON CONFLICT FAIL, n TEXT)"),
            "CREATE TABLE t (ID INTEGER PRIMARY KEY ON CONFLICT FAIL AUTOINCREMENT, n TEXT)");
  EXPECT_EQ(
      TranslateJetSql("CREATE TABLE t (ID COUNTER, n TEXT, CONSTRAINT pk PRIMARY KEY ([ID]))"),
      "CREATE TABLE t (ID INTEGER, n TEXT, CONSTRAINT pk PRIMARY KEY ([ID] AUTOINCREMENT))");
  // Written the engine's way already: nothing added.
  EXPECT_EQ(TranslateJetSql("CREATE TABLE t (ID COUNTER PRIMARY KEY AUTOINCREMENT)"),
            "CREATE TABLE t (ID INTEGER PRIMARY KEY AUTOINCREMENT)");
}

TEST(JetTranslateTest, CounterBesideAnotherKeyIsAPlainInteger) {
  EXPECT_EQ(TranslateJetSql("CREATE TABLE t (ID COUNTER, Code TEXT(5) PRIMARY KEY)"),
            "CREATE TABLE t (ID INTEGER, Code TEXT(5) PRIMARY KEY NOT NULL)");
  EXPECT_EQ(TranslateJetSql("CREATE TABLE t (A COUNTER, B COUNTER)"),
            "CREATE TABLE t (A INTEGER PRIMARY KEY AUTOINCREMENT, B INTEGER)");
  EXPECT_EQ(TranslateJetSql("CREATE TABLE t (A COUNTER, B LONG, PRIMARY KEY (A, B))"),
            "CREATE TABLE t (A INTEGER NOT NULL, B LONG INT NOT NULL, PRIMARY KEY (A, B))");
  EXPECT_EQ(TranslateJetSql("CREATE TABLE t (A COUNTER) WITHOUT ROWID"),
            "CREATE TABLE t (A INTEGER) WITHOUT ROWID");
}

TEST(JetTranslateTest, KeyColumnsRefuseNull) {
  EXPECT_EQ(TranslateJetSql("CREATE TABLE t (Code TEXT(10) PRIMARY KEY, n MEMO)"),
            "CREATE TABLE t (Code TEXT(10) PRIMARY KEY NOT NULL, n MEMO TEXT)");
  EXPECT_EQ(TranslateJetSql("CREATE TABLE t (Code TEXT NOT NULL PRIMARY KEY)"),
            "CREATE TABLE t (Code TEXT NOT NULL PRIMARY KEY)");
  EXPECT_EQ(TranslateJetSql("CREATE TABLE t ([a b] MEMO, b LONG -- key\n, "
                            "CONSTRAINT pk PRIMARY KEY ([A B], \"B\"))"),
            "CREATE TABLE t ([a b] MEMO TEXT NOT NULL, b LONG INT NOT NULL -- key\n, "
            "CONSTRAINT pk PRIMARY KEY ([A B], \"B\"))");
  // NOT NULL inside a CHECK is not the column's own.
  EXPECT_EQ(TranslateJetSql("CREATE TABLE t (k TEXT PRIMARY KEY CHECK (k IS NOT NULL))"),
            "CREATE TABLE t (k TEXT PRIMARY KEY CHECK (k IS NOT NULL) NOT NULL)");
}

TEST(JetTranslateTest, SoleIntegerKeyIsNotTheRowNumber) {
  EXPECT_EQ(TranslateJetSql("CREATE TABLE t (ID INTEGER PRIMARY KEY, n TEXT)"),
            "CREATE TABLE t (ID INT PRIMARY KEY NOT NULL, n TEXT)");
  EXPECT_EQ(TranslateJetSql("CREATE TABLE t (ID integer, CONSTRAINT pk PRIMARY KEY (id))"),
            "CREATE TABLE t (ID INT NOT NULL, CONSTRAINT pk PRIMARY KEY (id))");
  // In a composite key an INTEGER is no row number: only NOT NULL is needed.
  EXPECT_EQ(TranslateJetSql("CREATE TABLE t (a INTEGER, b INTEGER, PRIMARY KEY (a, b))"),
            "CREATE TABLE t (a INTEGER NOT NULL, b INTEGER NOT NULL, PRIMARY KEY (a, b))");
  // The engine's own auto-numbered key stays as written.
  for (std::string_view sql : {"CREATE TABLE t (ID INTEGER PRIMARY KEY AUTOINCREMENT, n TEXT)",
                               "CREATE TABLE t (ID INTEGER, PRIMARY KEY (ID AUTOINCREMENT))"}) {
    EXPECT_EQ(TranslateJetSql(sql), sql);
  }
}

TEST(JetTranslateTest, AlterTableAddTranslatesTheNewColumnsType) {
  EXPECT_EQ(TranslateJetSql("ALTER TABLE t ADD COLUMN m MEMO"),
            "ALTER TABLE t ADD COLUMN m MEMO TEXT");
  EXPECT_EQ(TranslateJetSql("alter table [my t] add [名前] STRING(20) NOT NULL;"),
            "alter table [my t] add [名前] STRING TEXT(20) NOT NULL;");
  EXPECT_EQ(TranslateJetSql("ALTER TABLE t ADD COLUMN n COUNTER"),
            "ALTER TABLE t ADD COLUMN n INTEGER");
  EXPECT_EQ(TranslateJetSql("ALTER TABLE t ADD COLUMN i INTEGER"),
            "ALTER TABLE t ADD COLUMN i INTEGER");
}

}  // namespace
}  // namespace tarnwick
