// The programs' handler of an exception that nothing catches. libstdc++'s
// default prints the exception's type through its demangler, which a
// statically linked program carries whole (about 45 KB in each of the three
// programs on disk 1); a window program has nowhere to print it anyway.
// Defining the function here keeps the library's own out of the link: it is
// compiled into each program (an object in an archive would come too late).
#include <cstdlib>

namespace __gnu_cxx {
void __verbose_terminate_handler();
void __verbose_terminate_handler()
{
    std::abort();
}
}  // namespace __gnu_cxx
