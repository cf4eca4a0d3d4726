// Vemo: a task and reminder manager for Windows.
#include <cstdlib>

#include "program/commands.h"
#include "runtime/system_dlls.h"
#include "runtime/win32.h"

#if defined(__GLIBCXX__)
// The library's default handler of an escaped exception prints its type's
// name through the name demangler: 46 KB of the program for a line on a
// console a windowed program does not have. This one ends the program as
// that one does, without the line.
namespace __gnu_cxx {
void __verbose_terminate_handler() {
    std::abort();
}
}  // namespace __gnu_cxx

// The library reports a broken precondition (an index past a string's end,
// a length past its largest) by throwing an exception that carries its
// message in a second, reference-counted string type: 42 KB of the program
// for texts nobody reads. Vemo catches every exception at the platform's
// callbacks without looking at it, so these throw one that carries nothing.
namespace {
struct LibraryFault {};
}  // namespace
namespace std {
[[noreturn]] void __throw_bad_cast() {
    throw LibraryFault{};
}
[[noreturn]] void __throw_bad_alloc() {
    throw LibraryFault{};
}
[[noreturn]] void __throw_bad_typeid() {
    throw LibraryFault{};
}
[[noreturn]] void __throw_bad_exception() {
    throw LibraryFault{};
}
[[noreturn]] void __throw_bad_array_new_length() {
    throw LibraryFault{};
}
[[noreturn]] void __throw_logic_error(const char*) {
    throw LibraryFault{};
}
[[noreturn]] void __throw_range_error(const char*) {
    throw LibraryFault{};
}
[[noreturn]] void __throw_domain_error(const char*) {
    throw LibraryFault{};
}
[[noreturn]] void __throw_length_error(const char*) {
    throw LibraryFault{};
}
[[noreturn]] void __throw_out_of_range(const char*) {
    throw LibraryFault{};
}
[[noreturn]] void __throw_runtime_error(const char*) {
    throw LibraryFault{};
}
[[noreturn]] void __throw_overflow_error(const char*) {
    throw LibraryFault{};
}
[[noreturn]] void __throw_underflow_error(const char*) {
    throw LibraryFault{};
}
[[noreturn]] void __throw_invalid_argument(const char*) {
    throw LibraryFault{};
}
[[noreturn]] void __throw_out_of_range_fmt(const char*, ...) {
    throw LibraryFault{};
}
}  // namespace std
#endif

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR command_line, int) {
    vemo::KeepPlantedDllsOut();
    return vemo::RunCommandLine(command_line != nullptr ? command_line : "");
}
