#include "grader/GraderOptions.h"

#include <cstdlib>

namespace tarnwick::grader {
namespace {

// A number of processes from 1 up.
unsigned Jobs(const std::string& value) {
  char* end = nullptr;
  const long jobs = std::strtol(value.c_str(), &end, 10);
  if (value.empty() || *end != '\0' || jobs < 1 || jobs > 1024) {
    throw UsageError("オプション --jobs には 1 から 1024 までの数を指定してください（" + value +
                     "）");
  }
  return static_cast<unsigned>(jobs);
}

// The options, in the order of the usage text.
const OptionRule<GraderOptions> kOptionRules[] = {
    {"--db", true, [](GraderOptions& o, const std::string& v) { o.classDatabase = v; }},
    {"--answers", true, [](GraderOptions& o, const std::string& v) { o.answers = v; }},
    {"--csv", true, [](GraderOptions& o, const std::string& v) { o.csvReport = v; }},
    {"--html", true, [](GraderOptions& o, const std::string& v) { o.htmlReport = v; }},
    {"--timeout", true,
     [](GraderOptions& o, const std::string& v) {
       o.timeoutSeconds = PositiveSeconds("--timeout", v);
     }},
    {"--jobs", true, [](GraderOptions& o, const std::string& v) { o.jobs = Jobs(v); }},
    {"-h", false, [](GraderOptions& o, const std::string&) { o.showHelp = true; }},
    {"--help", false, [](GraderOptions& o, const std::string&) { o.showHelp = true; }},
    {"--version", false, [](GraderOptions& o, const std::string&) { o.showVersion = true; }},
};

}  // namespace

GraderOptions ParseGraderOptions(const std::vector<std::string>& arguments) {
  GraderOptions options;
  ParseCommandLine(kOptionRules, options, arguments,
                   [&](const std::string& operand) { options.studentFiles.push_back(operand); });
  if (options.showHelp || options.showVersion) return options;
  if (options.classDatabase.empty())
    throw UsageError("クラスのデータベースを --db で指定してください");
  if (options.answers.empty())
    throw UsageError("模範解答のファイルを --answers で指定してください");
  if (options.studentFiles.empty()) throw UsageError("採点する学生のファイルを指定してください");
  return options;
}

const char* GraderUsageText() {
  return "使い方: tarnwick-grade --db CLASS.mdb --answers ANSWERS.sql [--csv FILE]\n"
         "                      [--html FILE] [--timeout SECONDS] [--jobs N] STUDENT.sql...\n"
         "\n"
         "学生の SQL ファイルをコンソールと同じように実行し、結果を模範解答と比べて\n"
         "採点表を標準出力に書きます。問題は「--@ 問題名」の行で始まります。\n"
         "\n"
         "  --db CLASS.mdb       クラスのデータベース。学生ごと、模範解答ごとにその\n"
         "                       複製で実行し、CLASS.mdb 自体は変更しません\n"
         "  --answers ANSWERS.sql\n"
         "                       模範解答。問題の順序と名前はこのファイルのとおりです\n"
         "  --csv FILE           採点表を CSV（UTF-8、BOM 付き）で FILE に書きます\n"
         "  --html FILE          × の理由（学生の文、模範解答と違う行、エラーの\n"
         "                       メッセージ）を示すレポートを HTML で FILE に書きます\n"
         "  --timeout SECONDS    1 つの文にかけられる秒数（既定 10。0.5 なども可）。\n"
         "                       超えた文は中止し、その問題は × になります\n"
         "  --jobs N             同時に採点する学生の数（既定はプロセッサーの数）\n"
         "  STUDENT.sql...       学生のファイル（UTF-8、UTF-16、Shift-JIS）。採点表では\n"
         "                       拡張子を除いたファイル名で示します\n"
         "  --                   これより後の引数はすべて学生のファイルです\n"
         "  -h, --help           この説明を表示して終了します\n"
         "  --version            バージョンを表示して終了します\n"
         "\n"
         "答えが正しいのは、問題の最後の行を返す文が模範解答と同じ行を返すとき\n"
         "（値は結果の表に表示されるとおりに比べ、列名は比べず、模範解答に\n"
         "ORDER BY がなければ行の順序も比べません）、行を返さない問題では、\n"
         "その問題のあとのすべてのテーブルの行が模範解答と同じときです。\n"
         "採点表: ○ 正解、× 不正解（エラー、時間切れを含む）、－ 未提出。\n"
         "終了ステータス: 0 採点を終えた、2 コマンドラインが正しくない、または\n"
         "クラスのデータベースか模範解答を読めない。\n";
}

}  // namespace tarnwick::grader
