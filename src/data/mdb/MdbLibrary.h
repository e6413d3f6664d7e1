#pragma once
// mdbtools' library. Its 1.0 headers use glib's types without including glib themselves.
// clang-format off
#include <glib.h>
#include <mdbtools.h>
// clang-format on
