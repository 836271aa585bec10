#pragma once
// Creating a Qt child: the parent given among the arguments owns the new object and deletes it
// with itself, so the caller keeps a plain, non-owning pointer.

#include <utility>

namespace platform {

template <typename T, typename... Args> T* makeChild(Args&&... args) {
    // NOLINTNEXTLINE(cppcoreguidelines-owning-memory): owned by the Qt parent in `args`.
    return new T(std::forward<Args>(args)...);
}

} // namespace platform
