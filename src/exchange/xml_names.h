#pragma once

#include <pugixml.hpp>
#include <string_view>

namespace tarsek::exchange {

/// An element's name without its namespace prefix: documents come with and without one
/// ("witsml:trajectoryStation", "x:row").
inline std::string_view localName(const pugi::xml_node& n) {
  std::string_view name = n.name();
  const std::size_t colon = name.find(':');
  return colon == std::string_view::npos ? name : name.substr(colon + 1);
}

/// The first child element of parent whose local name is name; an empty node when none.
inline pugi::xml_node child(const pugi::xml_node& parent, std::string_view name) {
  for (pugi::xml_node c = parent.first_child(); c; c = c.next_sibling())
    if (c.type() == pugi::node_element && localName(c) == name) return c;
  return {};
}

}  // namespace tarsek::exchange
