// Tables that give numbers a readable name.
#pragma once

#include <cstddef>

namespace plughost {

template <class Number>
struct Named {
  Number value;
  const char* name;
};

template <class Number, size_t N>
const char* nameOf(const Named<Number> (&table)[N], Number value, const char* fallback) {
  for (const Named<Number>& entry : table)
    if (entry.value == value) return entry.name;
  return fallback;
}

}  // namespace plughost
