// Built into brisca-mpi-iterate only when the address sanitizer is on.
//
// Open MPI opens its components with dlopen and closes them in MPI_Finalize, so
// by the time the leak checker reports at exit, the code that made Open MPI's
// own lasting allocations is gone and its frames print as "<unknown module>".
// The fast (frame-pointer) unwinder also stops at the first frame of Debian's
// libraries, which are built without frame pointers, leaving such a stack one
// frame deep. Unwinding through the unwind tables instead records the whole
// stack at each allocation, so the frames in libraries that stay loaded
// (MPI_Init_thread, libopen-pal, libevent's loop) are there for the
// suppressions in tools/lsan.supp to match. It costs time on every allocation,
// which is why only this program asks for it. Options given in ASAN_OPTIONS
// still override these.
extern "C" const char* __asan_default_options() { return "fast_unwind_on_malloc=0"; }
