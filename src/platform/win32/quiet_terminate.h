#pragma once
// Included once by each program's entry point. The runtime's default
// terminate handler prints the demangled name of an uncaught exception's type;
// the demangler is a quarter of a small program's size, and a GUI program has
// no console to print to anyway.
#include <cstdlib>

namespace __gnu_cxx {
void __verbose_terminate_handler() { std::abort(); }
}  // namespace __gnu_cxx
