#pragma once

namespace Protocol {

// Large answers (a 100,000-row list is some 30 MB of JSON and as much again as a table)
// would otherwise get fresh pages from the system for every call and give them back after
// it; touching fresh pages costs about as much as parsing or writing the answer. This keeps
// blocks of up to 32 MB in the heap, where the next answer uses them again. Both programs
// call it first thing in main.
void keepLargeBuffersInHeap();

} // namespace Protocol
