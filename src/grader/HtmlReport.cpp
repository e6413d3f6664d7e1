#include "grader/HtmlReport.h"

#include "text/messages/GraderMessages.h"

namespace tarnwick::grader {
namespace {

constexpr std::string_view kStyle =
    "body{font-family:sans-serif;margin:1.5em;line-height:1.5}"
    "table{border-collapse:collapse;margin:.3em 0}"
    "td,th{border:1px solid #bbb;padding:.15em .5em;vertical-align:top}"
    "th{background:#eee}"
    "td.mark{text-align:center}td.score{text-align:right}"
    "td.wrong a{color:#b00;text-decoration:none}"
    "pre,table.rows td{font-family:monospace;white-space:pre-wrap}"
    "pre{background:#f6f6f6;border:1px solid #ddd;padding:.4em}"
    ".reason{font-weight:bold}.message{color:#b00;white-space:pre-wrap}.note{color:#666}"
    "td.side{border:none;padding:0 2em 0 0}";

std::string Anchor(std::size_t learner, std::size_t exercise) {
  return "l" + std::to_string(learner + 1) + "e" + std::to_string(exercise + 1);
}

void ScoreTable(std::string& html, const ClassReport& report) {
  html += "<table class=\"scores\"><tr><th>" + HtmlEscape(msg::ScoreTableLearner()) + "</th>";
  for (const std::string& exercise : report.exercises)
    html += "<th>" + HtmlEscape(exercise) + "</th>";
  html += "<th>" + HtmlEscape(msg::ScoreTableScore()) + "</th></tr>\n";
  for (std::size_t l = 0; l < report.learners.size(); ++l) {
    const LearnerReport& learner = report.learners[l];
    html += "<tr><td><a href=\"#l" + std::to_string(l + 1) + "\">" + HtmlEscape(learner.name) +
            "</a></td>";
    for (std::size_t e = 0; e < learner.outcomes.size(); ++e) {
      const Mark mark = learner.outcomes[e].mark;
      const std::string symbol = MarkSymbol(mark);
      html += mark == Mark::Wrong ? "<td class=\"mark wrong\"><a href=\"#" + Anchor(l, e) + "\">" +
                                        symbol + "</a></td>"
                                  : "<td class=\"mark\">" + symbol + "</td>";
    }
    html += "<td class=\"score\">" + std::to_string(learner.Score()) + "</td></tr>\n";
  }
  html += "</table>\n";
}

void Rows(std::string& html, const std::string& caption, const RowExcerpt& excerpt) {
  html += "<table class=\"rows\"><caption>" + HtmlEscape(caption) + "</caption><tr><th>#</th>";
  for (const std::string& name : excerpt.names) html += "<th>" + HtmlEscape(name) + "</th>";
  html += "</tr>";
  for (std::size_t r = 0; r < excerpt.rows.size(); ++r) {
    html += "<tr><td>" + std::to_string(excerpt.numbers[r]) + "</td>";
    for (const std::string& cell : excerpt.rows[r]) html += "<td>" + HtmlEscape(cell) + "</td>";
    html += "</tr>";
  }
  if (excerpt.rows.empty()) {
    html += "<tr><td colspan=\"" + std::to_string(excerpt.names.size() + 1) + "\">" +
            HtmlEscape(msg::ReportNoRows()) + "</td></tr>";
  }
  html += "</table>";
}

std::string Caption(const ExerciseOutcome& outcome, bool model) {
  const RowExcerpt& excerpt = model ? outcome.model : outcome.learner;
  switch (outcome.differ) {
    case RowsDiffer::Columns:
      return msg::ReportRowsFirst(model);
    case RowsDiffer::Order:
      return msg::ReportRowsFrom(model, excerpt.numbers.empty() ? 1 : excerpt.numbers.front());
    default:
      return msg::ReportRowsOnly(model);
  }
}

void WrongAnswer(std::string& html, const std::string& exercise, const ExerciseOutcome& outcome,
                 const std::string& anchor) {
  html += "<section id=\"" + anchor + "\"><h3>" + HtmlEscape(exercise) + " " +
          MarkSymbol(outcome.mark) + "</h3>\n<p class=\"reason\">" + HtmlEscape(outcome.reason) +
          "</p>\n";
  if (!outcome.learnerSql.empty()) {
    html += "<p>" + HtmlEscape(msg::ReportLearnerLines()) + "</p><pre>" +
            HtmlEscape(outcome.learnerSql) + "</pre>\n";
  }
  if (!outcome.failure.message.empty()) {
    // The statement that failed, unless it is all the learner wrote.
    if (outcome.failure.statement != outcome.learnerSql) {
      html += "<p>" + HtmlEscape(msg::ReportFailedStatement()) + "</p><pre>" +
              HtmlEscape(outcome.failure.statement) + "</pre>";
    }
    html += "<p class=\"message\">ERROR! " + HtmlEscape(outcome.failure.message) + "</p>\n";
  }
  if (outcome.differ != RowsDiffer::No) {
    html += "<table><tr><td class=\"side\">";
    Rows(html, Caption(outcome, true), outcome.model);
    html += "</td><td class=\"side\">";
    Rows(html, Caption(outcome, false), outcome.learner);
    html += "</td></tr></table>\n";
  }
  html += "</section>\n";
}

void Learner(std::string& html, const ClassReport& report, std::size_t l) {
  const LearnerReport& learner = report.learners[l];
  html += "<section id=\"l" + std::to_string(l + 1) + "\"><h2>" + HtmlEscape(learner.name) +
          "</h2>\n<p class=\"note\">" + HtmlEscape(learner.file) + "</p>\n";
  for (const std::string& note : learner.notes) {
    html += "<p class=\"message\">" + HtmlEscape(note) + "</p>\n";
  }
  bool anyWrong = false;
  bool anyRight = false;
  for (std::size_t e = 0; e < learner.outcomes.size(); ++e) {
    const ExerciseOutcome& outcome = learner.outcomes[e];
    for (const std::string& note : outcome.notes) {
      html += "<p class=\"note\">" + HtmlEscape(report.exercises[e]) + ": " + HtmlEscape(note) +
              "</p>\n";
    }
    anyRight = anyRight || outcome.mark == Mark::Right;
    if (outcome.mark != Mark::Wrong) continue;
    anyWrong = true;
    WrongAnswer(html, report.exercises[e], outcome, Anchor(l, e));
  }
  if (!anyWrong && anyRight) html += "<p>" + HtmlEscape(msg::ReportAllRight()) + "</p>\n";
  html += "</section>\n";
}

}  // namespace

std::string HtmlEscape(std::string_view text) {
  std::string escaped;
  escaped.reserve(text.size());
  for (char c : text) {
    switch (c) {
      case '&':
        escaped += "&amp;";
        break;
      case '<':
        escaped += "&lt;";
        break;
      case '>':
        escaped += "&gt;";
        break;
      case '"':
        escaped += "&quot;";
        break;
      case '\'':
        escaped += "&#39;";
        break;
      default:
        escaped += c;
    }
  }
  return escaped;
}

std::string HtmlReport(const ClassReport& report, const ReportSources& sources) {
  std::string html = "<!DOCTYPE html>\n<html lang=\"ja\"><head><meta charset=\"utf-8\"><title>" +
                     HtmlEscape(msg::ReportTitle()) + "</title><style>" + std::string(kStyle) +
                     "</style></head><body>\n<h1>" + HtmlEscape(msg::ReportTitle()) + "</h1>\n<p>" +
                     HtmlEscape(msg::ReportSources(sources.classDatabase, sources.answers)) +
                     "</p>\n";
  if (!sources.modelTroubles.empty()) {
    html += "<h2>" + HtmlEscape(msg::ReportModelTrouble()) + "</h2>\n";
    for (const std::string& trouble : sources.modelTroubles) {
      html += "<p class=\"message\">" + HtmlEscape(trouble) + "</p>\n";
    }
  }
  ScoreTable(html, report);
  for (std::size_t l = 0; l < report.learners.size(); ++l) Learner(html, report, l);
  return html + "</body></html>\n";
}

}  // namespace tarnwick::grader
