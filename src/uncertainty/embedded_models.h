#pragma once

// The model tables of data/models, compiled into the program by the build (see
// embedded_models.cpp.in) so that the program needs no file beside it to have a model.

#include <span>
#include <string_view>

namespace tarsek::unc {

struct EmbeddedModel {
  std::string_view file;  ///< file name under data/models
  std::string_view text;  ///< the whole table
};

std::span<const EmbeddedModel> EmbeddedModels() noexcept;

}  // namespace tarsek::unc
