#pragma once
#include "data/Dataset.h"

namespace tarnwick {

// Closes a query or table however the scope that used it ends.
class DatasetCloser {
 public:
  explicit DatasetCloser(Dataset& dataset) : dataset_(dataset) {}
  ~DatasetCloser() {
    try {
      dataset_.Close();
    } catch (...) {
      // Closing releases the engine's statement; nothing is left to report.
    }
  }
  DatasetCloser(const DatasetCloser&) = delete;
  DatasetCloser& operator=(const DatasetCloser&) = delete;

 private:
  Dataset& dataset_;
};

}  // namespace tarnwick
