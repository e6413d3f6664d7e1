#pragma once
// Messages of the data access layer and of the database files: connecting, opening, creating,
// importing and compacting a database, its connection descriptor and the program's
// settings. Paths are UTF-8; the messages quote them in double quotes.
#include <string>
#include <string_view>

#include "text/messages/Message.h"

namespace tarnwick::msg {

// Connecting.
Message ConnectionStringWithoutFileName(std::string_view connectionString);
Message ProviderNotSupported(std::string_view descriptor, std::string_view provider);
Message DatabaseFileNotFound(std::string_view path);
// A database file the engine cannot open, with the engine's reason (a whole message; alone
// when it names the file already).
Message CannotOpenDatabaseFile(std::string_view path, const Message& reason);
Message NotADatabaseFile(std::string_view path);
// A database of our engine that another program made, named at start-up: not opened as the
// current database, offered for import.
Message OtherProgramsDatabaseRefused(std::string_view path, std::string_view fileName);
Message CannotRegisterFunction(std::string_view engineName, int code);

// Access (Jet) files, which the program reads but never writes.
Message JetFileReadOnly(std::string_view path);
Message JetFileRefused(std::string_view path, std::string_view fileName);
Message JetFileNotReplaced(std::string_view path);
Message NotAJetFile();
// `problem`: a sentence about the file that follows its name ("は途中で切れています").
Message JetFileProblem(std::string_view path, std::string_view problem);
Message JetTableNotInFile(std::string_view path, std::string_view table);
// A damaged Jet file: JetFileProblem's sentence about it, with what cannot be read ("テーブル
// '社員' の行が読めません").
std::string JetFileDamaged(std::string_view what);
std::string JetTableDefinitionOutsideFile(std::string_view table);
std::string JetTableDefinitionUnreadable(std::string_view table);
std::string JetTableCountsImpossible(std::string_view table);
std::string JetTableRowsMissing(std::string_view table, long long counted, long long read);
std::string JetMovedRowDamaged(std::string_view table);
std::string JetMovedRowMissing(std::string_view table);
std::string JetRowOutsidePage(std::string_view table);
std::string JetRowUnreadable(std::string_view table);
std::string JetValueUnreadable(std::string_view table, std::string_view column);
Message MdbLibraryMissing();
Message MdbLibraryFunctionMissing(std::string_view function);

// Creating, emptying and compacting a database file.
Message NotADatabaseNotReplaced(std::string_view path);
Message PathNotForDescriptor(std::string_view path);  // a line break or other control character
Message ResetFileInUse(std::string_view path);
Message CompactionFileInUse(std::string_view path);

// The sample database that comes with the program, and the learner's copy of it.
Message SampleDatabaseMissing(std::string_view path);
Message SampleCopyFileInUse(std::string_view path);

// A script file (or standard input) that cannot be read as text.
Message ScriptHasNul(std::string_view source, int line);
Message ScriptHasUnconvertible(std::string_view source, int line);

// The data access objects, used the wrong way by the program itself.
Message QueryReturnsNoRows();
Message DatasetNotOpen();
Message NoCurrentRow();
Message FilterNotValid(std::string_view filter);
Message FieldNotBeingAppended(std::string_view field);
// `problem`: what is wrong with the value, a sentence that follows it ("は数値ではありません").
Message FieldValueProblem(std::string_view field, std::string_view value, std::string_view problem);

}  // namespace tarnwick::msg
