#pragma once
// The test program's operator new, made to fail on demand.

// After `count` more allocations succeed, each further one throws std::bad_alloc;
// -1 lets every allocation succeed again.
void FailAllocationsAfter(long count);
