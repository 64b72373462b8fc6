// Memory for the readers of slow storage. A pool that waits for a network
// share runs a hundred readers, each with a read block, stores and
// allocator state of its own, and every fresh page they touch costs a
// fault; on a virtual machine those faults take longer than the readers'
// own work. Their memory therefore comes from an allocator arena of its own,
// laid out in huge pages, where one fault brings in what takes hundreds
// with small pages (some megabytes more in all; where the system has no
// huge page free it compacts memory first or gives small pages, as its
// transparent huge page settings say). The readers of cached photos and the
// run's thread keep the usual small pages and their small footprint.
#pragma once

namespace orvalis {

// Makes the calling thread allocate from the arena for slow readers. It
// keeps no cache of freed blocks of its own, as no thread does unless it
// asks (UseThreadCache): one that reads a photo every millisecond gains
// nothing by one. Does nothing where the program does not allocate through
// jemalloc.
void UseSlowReaderMemory();

// Gives the calling thread jemalloc's cache of freed blocks, which makes
// each allocation several times cheaper. The programs start their threads
// without one (allocator_options.cpp): setting it up zeroes some 30 KiB of
// fresh memory, and a reader for slow storage, one of a hundred started at
// once, would set it up only to drop it. The run's thread and the readers
// of cached photos take one. Does nothing without jemalloc.
void UseThreadCache();

}  // namespace orvalis
