// The handler that ends the program when an exception finds no catch (every window procedure catches, so it
// is a last resort). The library's own prints the exception's demangled type name to the standard error
// stream, which a windowed program does not have; it alone would bring the whole name demangler (about 46 KB)
// into the program. Defined here, it takes the library's place at link time.
#include <cstdlib>

namespace __gnu_cxx {
void __verbose_terminate_handler()
{
    std::abort();
}
}
