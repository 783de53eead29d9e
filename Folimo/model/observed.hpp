#pragma once

#include <utility>

namespace folimo {

// Puts value into field when the two differ and answers whether it did, so that a change
// signal fires only on a real change: `if (changeTo(page_, page)) emit pageChanged();`.
template <typename T, typename U> bool changeTo(T& field, U&& value) {
    if (field == value) return false;
    field = std::forward<U>(value);
    return true;
}

} // namespace folimo
