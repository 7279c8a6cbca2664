#include "FailingAllocator.h"
#include <cstdlib>
#include <new>

namespace {
long g_allocationsLeft = -1;
}

void FailAllocationsAfter(long count) { g_allocationsLeft = count; }

void* operator new(std::size_t size)
{
    if (g_allocationsLeft == 0)
        throw std::bad_alloc();
    if (g_allocationsLeft > 0)
        --g_allocationsLeft;
    if (void* p = std::malloc(size ? size : 1))
        return p;
    throw std::bad_alloc();
}

void operator delete(void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }
