#pragma once
// What the C++ library of emscripten 3.1.6 (libc++ 14) lacks of C++20 and the engine uses.
#include <memory>

#if !defined(__cpp_lib_smart_ptr_for_overwrite)
namespace std {
template <class T>
    requires is_unbounded_array_v<T>
unique_ptr<T> make_unique_for_overwrite(size_t n) {
    return unique_ptr<T>(new remove_extent_t<T>[n]);
}
template <class T>
    requires(!is_array_v<T>)
unique_ptr<T> make_unique_for_overwrite() {
    return unique_ptr<T>(new T);
}
}  // namespace std
#endif
