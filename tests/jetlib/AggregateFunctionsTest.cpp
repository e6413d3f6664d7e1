// Jet's aggregates over a small table: NULLs skipped, sums that widen instead of failing,
// exact currency sums, First and Last in the rows' order, and the spreads.
#include "JetFunctionsFixture.h"

namespace tarnwick {
namespace {

class AggregateFunctions : public JetFunctionsTest {
 protected:
  void SetUp() override {
    JetFunctionsTest::SetUp();
    Exec("CREATE TABLE t (n, price, name)");
    Exec("INSERT INTO t VALUES (2, 0.1, 'b'), (NULL, 0.2, NULL), (4, 0.1, 'a'), ('6', 0.2, 'c')");
    Exec("CREATE TABLE empty (n)");
  }
};

TEST_F(AggregateFunctions, SumsAndAverages) {
  EXPECT_EQ(Query("SELECT jet_sum(n) FROM t"), "12");
  EXPECT_EQ(Query("SELECT jet_sum(price) FROM t"), "0.6000000000000001");
  EXPECT_EQ(Query("SELECT jet_cur_sum(price) FROM t"), "0.6");
  EXPECT_EQ(Query("SELECT jet_avg(n) FROM t"), "4.0");
  EXPECT_EQ(Query("SELECT jet_sum(n) FROM empty"), "NULL");
  EXPECT_EQ(Query("SELECT jet_avg(n) FROM empty"), "NULL");
  EXPECT_EQ(Query("SELECT jet_cur_sum(n) FROM empty"), "NULL");
  EXPECT_EQ(Query("SELECT jet_sum(name) FROM t"), kTypeMismatch);
  Exec("CREATE TABLE big (n)");
  Exec("INSERT INTO big VALUES (9223372036854775807), (1)");
  EXPECT_EQ(Query("SELECT jet_sum(n) FROM big"), "9223372036854775808.0");
}

TEST_F(AggregateFunctions, FirstAndLastTakeTheRowsOrderNullsIncluded) {
  EXPECT_EQ(Query("SELECT jet_first(name) FROM t"), "'b'");
  EXPECT_EQ(Query("SELECT jet_last(name) FROM t"), "'c'");
  EXPECT_EQ(Query("SELECT jet_first(name) FROM (SELECT * FROM t WHERE n IS NULL OR n = 4)"),
            "NULL");
  EXPECT_EQ(Query("SELECT jet_last(n) FROM (SELECT * FROM t ORDER BY n DESC)"), "NULL");
  EXPECT_EQ(Query("SELECT jet_first(n) FROM empty"), "NULL");
}

TEST_F(AggregateFunctions, SpreadsOfASampleAndOfAPopulation) {
  // 2, 4, 6: mean 4, squared deviations 8.
  EXPECT_EQ(Query("SELECT jet_var(n) FROM t"), "4.0");
  EXPECT_EQ(Query("SELECT jet_varp(n) FROM t"), "2.6666666666666665");
  EXPECT_EQ(Query("SELECT jet_stdev(n) FROM t"), "2.0");
  EXPECT_EQ(Query("SELECT round(jet_stdevp(n), 6) FROM t"), "1.632993");
  EXPECT_EQ(Query("SELECT jet_var(n) FROM t WHERE n = 2"), "NULL");
  EXPECT_EQ(Query("SELECT jet_varp(n) FROM t WHERE n = 2"), "0.0");
  EXPECT_EQ(Query("SELECT jet_stdevp(n) FROM empty"), "NULL");
}

}  // namespace
}  // namespace tarnwick
