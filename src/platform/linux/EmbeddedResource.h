#pragma once

#include <cstddef>
#include <span>

#include "platform/Resources.h"

namespace platform {

// One file compiled into the executable (see EmbeddedResources.cmake).
struct EmbeddedResource {
  ResourceType type;
  const char* name;  // ASCII
  const unsigned char* data;
  std::size_t size;
};

// Defined by the generated sources of the `embedded_resources` library.
std::span<const EmbeddedResource> EmbeddedResources();

}  // namespace platform
