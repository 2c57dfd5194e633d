// A decode allocates nothing: every heap allocation of the test program is counted while a
// decode runs, including decodes that read a table into the on-demand slot and decodes that
// end in an error.
#include <atomic>
#include <cstdlib>
#include <new>

#include <gtest/gtest.h>

#include "pdu/PduTestSupport.h"

// ThreadSanitizer brings allocation functions of its own, which may not be replaced: there the
// count is left to the other builds.
#if defined(__has_feature)
#if __has_feature(thread_sanitizer)
#define QV_OWN_ALLOCATION_FUNCTIONS 1
#endif
#endif

namespace {

std::atomic<bool> counting{false};
std::atomic<long> allocations{0};

} // namespace

#ifndef QV_OWN_ALLOCATION_FUNCTIONS
// Every form of the global allocation functions is replaced, so that allocation and release
// always pair up, whatever the toolchain provides.
void *operator new(std::size_t size) {
    if (counting.load(std::memory_order_relaxed))
        allocations.fetch_add(1, std::memory_order_relaxed);
    if (void *p = std::malloc(size ? size : 1))
        return p;
    throw std::bad_alloc();
}
void *operator new[](std::size_t size) {
    return operator new(size);
}
void *operator new(std::size_t size, const std::nothrow_t &) noexcept {
    try {
        return operator new(size);
    } catch (...) {
        return nullptr;
    }
}
void *operator new[](std::size_t size, const std::nothrow_t &tag) noexcept {
    return operator new(size, tag);
}
void *operator new(std::size_t size, std::align_val_t align) {
    if (counting.load(std::memory_order_relaxed))
        allocations.fetch_add(1, std::memory_order_relaxed);
    const std::size_t a = static_cast<std::size_t>(align);
    if (void *p = std::aligned_alloc(a, (size + a - 1) / a * a))
        return p;
    throw std::bad_alloc();
}
void *operator new[](std::size_t size, std::align_val_t align) {
    return operator new(size, align);
}
// These are the replacements of the operators above: freeing with free() is their pair.
#if defined(__GNUC__) && !defined(__clang__)
#pragma GCC diagnostic ignored "-Wmismatched-new-delete"
#endif
void operator delete(void *p) noexcept {
    std::free(p);
}
void operator delete[](void *p) noexcept {
    std::free(p);
}
void operator delete(void *p, std::size_t) noexcept {
    std::free(p);
}
void operator delete[](void *p, std::size_t) noexcept {
    std::free(p);
}
void operator delete(void *p, const std::nothrow_t &) noexcept {
    std::free(p);
}
void operator delete[](void *p, const std::nothrow_t &) noexcept {
    std::free(p);
}
void operator delete(void *p, std::align_val_t) noexcept {
    std::free(p);
}
void operator delete[](void *p, std::align_val_t) noexcept {
    std::free(p);
}
void operator delete(void *p, std::size_t, std::align_val_t) noexcept {
    std::free(p);
}
void operator delete[](void *p, std::size_t, std::align_val_t) noexcept {
    std::free(p);
}
#endif

namespace qv::pdu::test {
namespace {

TEST(PduNoAllocation, DecodesUseOnlyTheirFixedBuffers) {
#ifdef QV_OWN_ALLOCATION_FUNCTIONS
    GTEST_SKIP() << "the sanitizer's allocation functions cannot be counted";
#endif
    Interpreter demo(demoFolder(), "DEMO.LST");
    ASSERT_TRUE(demo.loaded);
    const std::vector<std::vector<std::uint8_t>> messages = {
        {0x08, 0x05, 0xA1, 0x04, 0x03, 0x80, 0x90, 0xA3, 0x18, 0x01, 0x89, 0x70, 0x04, 0x81, '1',
         '2', '3'},
        {0x08, 0x4D, 0x08, 0x02, 0x80, 0x90}, // clearing table read on demand
        {0x08, 0x05, 0x04, 0x09, 0x80},       // element longer than its holder
        {0x08, 0x07, 0x77},                   // no record matches
        {0x08, 0x4D, 0x28, 0x03, 'a', 'b', 'c'},
    };
    std::vector<PduDecodeResult> results(messages.size());
    allocations = 0;
    counting = true;
    for (int round = 0; round < 3; ++round)
        for (std::size_t i = 0; i < messages.size(); ++i)
            results[i] = demo.decode(messages[i]);
    counting = false;
    EXPECT_EQ(allocations.load(), 0);
    EXPECT_EQ(results[2].error, 4);
    EXPECT_EQ(results[3].error, 8);
    EXPECT_GE(demo.engine->store().onDemandReads(), 1u);
}

} // namespace
} // namespace qv::pdu::test
