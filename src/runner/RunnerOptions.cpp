#include "runner/RunnerOptions.h"

namespace tarnwick::runner {
namespace {

// The SQL of the statements: jet or engine.
bool EngineDialect(const std::string& value) {
  if (value == "jet") return false;
  if (value == "engine") return true;
  throw UsageError("オプション --dialect には jet か engine を指定してください（" + value + "）");
}

// The options, in the order of the usage text. A new option is one line here and one in the
// usage text.
const OptionRule<RunnerOptions> kOptionRules[] = {
    {"--db", true, [](RunnerOptions& o, const std::string& v) { o.databasePath = v; }},
    {"--sample", true, [](RunnerOptions& o, const std::string& v) { o.sampleCopy = v; }},
    {"--new", false, [](RunnerOptions& o, const std::string&) { o.recreateDatabase = true; }},
    {"--compact", false, [](RunnerOptions& o, const std::string&) { o.compactDatabase = true; }},
    {"--sjis", false, [](RunnerOptions& o, const std::string&) { o.sjisOutput = true; }},
    {"--timeout", true,
     [](RunnerOptions& o, const std::string& v) {
       o.timeoutSeconds = PositiveSeconds("--timeout", v);
     }},
    {"--dialect", true,
     [](RunnerOptions& o, const std::string& v) { o.engineDialect = EngineDialect(v); }},
    {"-c", true,
     [](RunnerOptions& o, const std::string& v) {
       o.inputs.push_back({RunnerInput::Kind::CommandText, v});
     }},
    {"--import", true,
     [](RunnerOptions& o, const std::string& v) {
       o.inputs.push_back({RunnerInput::Kind::ImportDatabase, v});
     }},
    {"-h", false, [](RunnerOptions& o, const std::string&) { o.showHelp = true; }},
    {"--help", false, [](RunnerOptions& o, const std::string&) { o.showHelp = true; }},
    {"--version", false, [](RunnerOptions& o, const std::string&) { o.showVersion = true; }},
};

// --sample FILE makes FILE the database, after the copy has been written: --db may name only
// the same file, and --new would empty the copy at once.
void TakeSampleAsDatabase(RunnerOptions& options) {
  if (options.sampleCopy->empty()) throw UsageError("オプション --sample にはファイル名が必要です");
  if (options.databasePath && *options.databasePath != *options.sampleCopy) {
    throw UsageError("オプション --sample と --db には同じファイルを指定してください");
  }
  if (options.recreateDatabase) {
    throw UsageError("オプション --sample と --new は一緒に指定できません");
  }
  options.databasePath = options.sampleCopy;
}

}  // namespace

RunnerOptions ParseRunnerOptions(const std::vector<std::string>& arguments) {
  RunnerOptions options;
  ParseCommandLine(kOptionRules, options, arguments, [&](const std::string& operand) {
    options.inputs.push_back(operand == "-" ? RunnerInput{RunnerInput::Kind::StandardInput, {}}
                                            : RunnerInput{RunnerInput::Kind::ScriptFile, operand});
  });
  if (options.databasePath && options.databasePath->empty()) {
    throw UsageError("オプション --db にはファイル名が必要です");
  }
  if (options.sampleCopy) {
    TakeSampleAsDatabase(options);
  } else if (options.inputs.empty()) {
    options.inputs.push_back({RunnerInput::Kind::StandardInput, {}});
  }
  return options;
}

const char* UsageText() {
  return "使い方: tarnwick-run [--db FILE] [--sample FILE] [--new] [--compact] [--sjis]\n"
         "                    [--timeout SECONDS] [--dialect jet|engine]\n"
         "                    [-c TEXT | SCRIPT | --import FILE]...\n"
         "\n"
         "Tarnwick のデータベースで SQL を実行し、コンソールの記録（文、続いて結果の表、\n"
         "OK、または ERROR! とメッセージ）を標準出力に書きます。\n"
         "\n"
         "  --db FILE      データベースファイル（--db=FILE とも書けます）。同じ名前で拡張子\n"
         "                 .udl の接続記述ファイルをその横に書きます。--db がないときは、\n"
         "                 ウィンドウが選ぶデータベース: Tarnwick.ini（プログラムの横、\n"
         "                 なければ share/tarnwick/）が指定するもの、なければプログラムの\n"
         "                 横の default.mdb（インストールしたプログラムやそこに書き込め\n"
         "                 ないときは ~/.local/share/tarnwick/default.mdb）\n"
         "  --sample FILE  サンプルデータベース（販売管理）の新しいコピーを FILE に書き、\n"
         "                 それをデータベースにします（FILE にあった Tarnwick のデータベース\n"
         "                 は置き換えます）。-c や SCRIPT がなければ、コピーだけして終わります\n"
         "  --new          はじめにデータベースを空にします（データベースでないファイルを\n"
         "                 置き換えるのは --db で指定したときだけです）\n"
         "  --compact      実行の終わりにデータベースを最適化します\n"
         "  --sjis         記録を Shift-JIS、改行 CR LF で書きます（既定は UTF-8、LF）\n"
         "  --timeout SECONDS\n"
         "                 SECONDS 秒（0.5 なども可）より長くかかる文を中止します。\n"
         "                 スクリプトは次の文から続きます\n"
         "  --dialect jet|engine\n"
         "                 文の SQL: jet は Jet SQL として読みます（既定。Tarnwick.ini の\n"
         "                 [SQL] DIALECT がなければ）。engine はデータベースエンジンの SQL\n"
         "                 として、そのまま実行します\n"
         "  -c TEXT        TEXT を SQL 欄に入力したものとして実行します\n"
         "  SCRIPT         スクリプトファイル（UTF-8、UTF-16、Shift-JIS）を実行します。\n"
         "                 - は標準入力です\n"
         "  --import FILE  データベース FILE のテーブルをすべて取り込みます\n"
         "  --             これより後の引数はすべてスクリプトファイルです\n"
         "  -h, --help     この説明を表示して終了します\n"
         "  --version      バージョンを表示して終了します\n"
         "\n"
         "-c、SCRIPT、--import のどれもないときは、標準入力からスクリプトを読みます。\n"
         "確定していないトランザクションは終わりに取り消します（ROLLBACK）。\n"
         "終了ステータス: 0 すべて成功、1 文またはテーブルの取り込みが失敗した、\n"
         "または確定していないトランザクションを取り消した、\n"
         "2 データベースを開けない・最適化できない、ファイルを読み書きできない、\n"
         "またはコマンドラインが正しくない、130 Ctrl+C で中止した（実行中の文の変更は\n"
         "取り消され、それより後の文は実行しません）。\n";
}

}  // namespace tarnwick::runner
