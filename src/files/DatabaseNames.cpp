#include "files/DatabaseNames.h"

#include "text/AsciiCase.h"
#include "text/FileAccess.h"

namespace tarnwick {
namespace {

std::string_view FileNamePart(std::string_view path) {
  const std::size_t slash = path.rfind('/');
  return slash == std::string_view::npos ? path : path.substr(slash + 1);
}

std::string_view Extension(std::string_view fileName) {
  const std::size_t dot = fileName.rfind('.');
  return dot == std::string_view::npos ? std::string_view{} : fileName.substr(dot);
}

}  // namespace

bool HasDatabaseExtension(std::string_view path) {
  return EqualsIgnoringAsciiCase(Extension(FileNamePart(path)), ".mdb");
}

DatabaseNames DeriveDatabaseNames(std::string_view path) {
  const std::string_view fileName = FileNamePart(path);
  DatabaseNames names;
  names.DbDir = std::string(path.substr(0, path.size() - fileName.size()));
  names.MdbName = std::string(fileName);
  if (HasDatabaseExtension(fileName)) {
    names.UdlName = names.MdbName.substr(0, names.MdbName.size() - 3) + "udl";
  } else {
    const std::string_view extension = Extension(fileName);
    names.UdlName = std::string(fileName.substr(0, fileName.size() - extension.size())) + ".udl";
  }
  return names;
}

bool DescriptorIsDatabase(const DatabaseNames& names) { return names.UdlName == names.MdbName; }

std::string ImportedDatabasePath(std::string_view jetPath) {
  const std::string_view extension = Extension(FileNamePart(jetPath));
  const std::string stem(jetPath.substr(0, jetPath.size() - extension.size()));
  const std::string newExtension = HasDatabaseExtension(jetPath) ? std::string(extension) : ".mdb";
  std::string path = stem + "_tarnwick" + newExtension;
  for (int number = 2; FileExists(path); ++number) {
    path = stem + "_tarnwick" + std::to_string(number) + newExtension;
  }
  return path;
}

}  // namespace tarnwick
