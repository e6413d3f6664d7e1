// Comparisons and predicates in the engine's SQL: truth values of the engine's own, with
// Jet's comparison of texts and dates written out by the binder.
#include "jet/JetSqlText.h"
#include "jet/JetSqlWriter.h"
#include "jetlib/JetFunctions.h"

namespace tarnwick {

namespace {

std::string_view Collation(bool ignoringCase) { return ignoringCase ? " COLLATE NOCASE" : ""; }

}  // namespace

JetSqlWriter::Sql JetSqlWriter::Comparison(const bound::Compared& comparison, const Place& at) {
  return {"(" + Value(*comparison.operands[0], at) + " " +
              std::string(JetOperatorText(comparison.op)) + " " +
              Value(*comparison.operands[1], at) + std::string(Collation(comparison.ignoringCase)) +
              ")",
          true};
}

// And and Or of truth values are the engine's, written as one flat list: the engine's parser
// takes only so many nested parentheses.
JetSqlWriter::Sql JetSqlWriter::Logic(const bound::Logic& logic, const Place& at) {
  const std::string_view op = logic.op == JetOp::And ? " AND " : " OR ";
  std::string text = "(";
  for (std::size_t i = 0; i < logic.operands.size(); ++i) {
    if (i > 0) text += op;
    text += Condition(*logic.operands[i], at);
  }
  return {text + ")", true};
}

JetSqlWriter::Sql JetSqlWriter::Like(const bound::LikeMatch& like, const Place& at) {
  const std::string value = Value(*like.operands[0], at);
  const std::string pattern = Value(*like.operands[1], at);
  if (like.engines) {
    return {"(" + value + (like.negated ? " NOT LIKE " : " LIKE ") + pattern + ")", true};
  }
  const std::string match = std::string(jet_op::kLike) + "(" + value + ", " + pattern + ")";
  if (like.negated) return {"(NOT " + match + ")", true};
  return {match};
}

JetSqlWriter::Sql JetSqlWriter::Between(const bound::Compared& between, const Place& at) {
  return {"(" + Value(*between.operands[0], at) + std::string(Collation(between.ignoringCase)) +
              (between.negated ? " NOT BETWEEN " : " BETWEEN ") + Value(*between.operands[1], at) +
              " AND " + Value(*between.operands[2], at) + ")",
          true};
}

JetSqlWriter::Sql JetSqlWriter::In(const bound::Compared& in, const Place& at) {
  std::string text = "(" + Value(*in.operands[0], at) + std::string(Collation(in.ignoringCase)) +
                     (in.negated ? " NOT IN (" : " IN (");
  if (in.query) {
    text += Query(*in.query);
  } else {
    for (std::size_t i = 1; i < in.operands.size(); ++i) {
      if (i > 1) text += ", ";
      text += Value(*in.operands[i], at);
    }
  }
  return {text + "))", true};
}

// x op Any (q) is true when the comparison holds for some row of q, x op All (q) when it holds
// for every row; otherwise NULL when it is unknown for some row, else false.
JetSqlWriter::Sql JetSqlWriter::Quantified(const bound::QueryValue& quantified, const Place& at) {
  const std::string comparison = Condition(*quantified.comparison, at);
  const std::string rows = "EXISTS (SELECT 1 FROM (" +
                           Query(*quantified.query, {std::string(bound::kQuantifiedValue)}) +
                           ") AS " + EngineName(bound::kRows) + " WHERE ";
  const bool all = quantified.all;
  const std::string decided = all ? "NOT " + comparison : comparison;
  return {"(CASE WHEN " + rows + decided + ") THEN " + (all ? "0" : "1") + " WHEN " + rows +
              comparison + " IS NULL) THEN NULL ELSE " + (all ? "1" : "0") + " END)",
          true};
}

}  // namespace tarnwick
