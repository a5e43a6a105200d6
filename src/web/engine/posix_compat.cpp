// System calls the format library uses that emscripten's C library does not have. Each fails
// the way a kernel without it would, and the library's own fallback does the work.
#include <sys/types.h>

#include <cerrno>

extern "C" ssize_t copy_file_range(int, off_t*, int, off_t*, size_t, unsigned) {
    errno = ENOSYS;  // the caller copies through read and write
    return -1;
}
