// jemalloc's options for the programs, read before the first allocation.
// Threads start without a cache of freed blocks: the readers for slow
// storage, a hundred of them, have no use for one, and setting each up
// costs fresh memory (slow_reader_memory.h). The threads that allocate for
// every file, the run's thread and the readers of cached photos, take one
// with UseThreadCache; the main thread, which runs the queries, takes it
// here. Linked into the programs only, with jemalloc.
#include "engine/slow_reader_memory.h"

extern "C" {
// jemalloc looks this name up in the program.
extern const char* malloc_conf;
const char* malloc_conf = "tcache:false";
}

namespace {

const bool mainThreadCache = [] {
  orvalis::UseThreadCache();
  return true;
}();

}  // namespace
