#pragma once
// The kinds of saved query a Jet database holds, as its import reads them and its messages
// name them.
namespace tarnwick {

enum class SavedQueryKind {
  Select,
  Union,
  Crosstab,
  MakeTable,
  Append,
  Update,
  Delete,
  DataDefinition,
  PassThrough,
  Unknown
};

}  // namespace tarnwick
