// Linked into the program only, not into the tests. The standard library's own versions of these
// helpers raise std::length_error and friends, whose messages are copy-on-write strings: under
// static linking that drags in two whole string implementations, and the default terminate
// handler drags in the C++ demangler, about 90 KB in all, because the PE linker keeps every
// function that unwind tables mention. The program catches every exception as "any exception", so
// the thrown type does not matter to it. A library helper that is not replaced here makes the link
// fail with a duplicate definition, which shows when this file needs one more.
#include <cstdlib>
#include <exception>
#include <new>

namespace std {

void __throw_bad_alloc() {
    throw bad_alloc();
}
void __throw_bad_array_new_length() {
    throw bad_alloc();
}
void __throw_length_error(const char*) {
    throw bad_alloc();
}
void __throw_logic_error(const char*) {
    throw exception();
}
void __throw_out_of_range_fmt(const char*, ...) {
    throw exception();
}

} // namespace std

namespace __gnu_cxx {

// The default handler prints the exception's demangled type to a console a GUI program lacks.
void __verbose_terminate_handler() {
    std::abort();
}

} // namespace __gnu_cxx
