// The per-thread scratch arena of the recursive limb and digit methods.
#include "numbers/limb/Scratch.h"

#include <algorithm>
#include <memory>
#include <vector>

#if defined(_WIN32)
#include <windows.h>
#endif

namespace limb64 {

namespace {

struct Arena {
  std::vector<std::unique_ptr<Limb[]>> blocks;
  std::vector<Size> sizes;
  Size block = 0;   // block in use
  Size offset = 0;  // digits used in it
};

#if defined(_WIN32)
// MinGW's emulated thread-locals may free an object's storage before its
// destructor runs at thread exit, so a worker thread that used the arena
// crashed as it ended. Here the arena hangs off a plain pointer and the
// system's fiber-local slot frees it when the thread ends.
void WINAPI DeleteArena(void* arena) { delete static_cast<Arena*>(arena); }

Arena& TheArena() {
  static const DWORD slot = FlsAlloc(&DeleteArena);
  thread_local Arena* arena = nullptr;
  if (!arena) {
    arena = new Arena;
    FlsSetValue(slot, arena);
  }
  return *arena;
}
#else
Arena& TheArena() {
  thread_local Arena arena;
  return arena;
}
#endif

}  // namespace

ScratchFrame::ScratchFrame() {
  Arena& a = TheArena();
  block_ = a.block;
  offset_ = a.offset;
}

ScratchFrame::~ScratchFrame() {
  Arena& a = TheArena();
  a.block = block_;
  a.offset = offset_;
}

Limb* ScratchFrame::AllocLimbs(Size n) {
  Arena& a = TheArena();
  n = (n + 7) & ~Size{7};  // keep blocks on cache-line multiples
  if (!a.blocks.empty() && a.offset + n <= a.sizes[a.block]) {
    Limb* p = a.blocks[a.block].get() + a.offset;
    a.offset += n;
    return p;
  }
  // The next block (everything after the one in use is free), big enough.
  Size next = a.blocks.empty() ? 0 : a.block + 1;
  if (next >= a.blocks.size()) {
    a.blocks.emplace_back();
    a.sizes.push_back(0);
  }
  if (a.sizes[next] < n) {
    Size size = std::max<Size>(n, Size{1} << 16);
    if (next > 0) size = std::max(size, 2 * a.sizes[next - 1]);
    a.blocks[next].reset(new Limb[size]);
    a.sizes[next] = size;
  }
  a.block = next;
  a.offset = n;
  return a.blocks[next].get();
}

}  // namespace limb64
