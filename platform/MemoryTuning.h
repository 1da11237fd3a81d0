#pragma once

namespace MemoryTuning {

// Keeps freed buffers of up to a few megabytes (page images, renderings) in
// the process for the next page instead of handing each back to the system
// and faulting it in again: the allocator's defaults map every buffer over
// 128 KB on its own and trim the heaps of worker threads after each page.
// Called once at the start of a program, before its threads.
void keepPageBuffers();

} // namespace MemoryTuning
