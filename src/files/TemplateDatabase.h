#pragma once
#include <string_view>

namespace tarnwick {

// The empty database that "new database" and "reset" write out ("ORGMDB"): an empty
// database file of our engine, embedded at build time, identical for every run of one build.
std::string_view TemplateDatabase();

}  // namespace tarnwick
