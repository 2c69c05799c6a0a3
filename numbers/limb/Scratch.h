// Scratch space for the recursive methods (internal to numbers/).
#pragma once

#include "numbers/limb/LimbRaw.h"

namespace limb64 {

// Scratch space for the recursive methods, taken from a per-thread arena in
// stack order: a frame hands out blocks and gives them all back when it
// ends. The arena keeps its memory for the thread's life, so the recursions
// do not go to the system allocator (whose returning of memory to the
// kernel and page faults cost more than the arithmetic at these sizes).
class ScratchFrame {
public:
  ScratchFrame();
  ~ScratchFrame();
  ScratchFrame(const ScratchFrame&) = delete;
  ScratchFrame& operator=(const ScratchFrame&) = delete;
  // n limbs (or 64-bit digits), uninitialised; valid until the frame ends.
  Limb* Alloc(Size n) { return AllocLimbs(n); }
  template <class T>
  T* Alloc(Size n) {
    static_assert(sizeof(T) == sizeof(Limb) && alignof(T) == alignof(Limb));
    return reinterpret_cast<T*>(AllocLimbs(n));
  }

private:
  Limb* AllocLimbs(Size n);
  Size block_;
  Size offset_;
};

}  // namespace limb64
