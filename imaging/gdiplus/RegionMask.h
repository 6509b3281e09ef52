// Move-only owner of a pixman 32-bit region: the set of device pixels of a
// Region, in y-x banded rectangles. The default state is the empty region.
#pragma once

#include <pixman.h>

namespace Gdiplus {

class RegionMask {
 public:
  RegionMask() { pixman_region32_init(&region_); }
  RegionMask(int x, int y, unsigned width, unsigned height) {
    pixman_region32_init_rect(&region_, x, y, width, height);
  }
  RegionMask(const RegionMask&) = delete;
  RegionMask& operator=(const RegionMask&) = delete;
  RegionMask(RegionMask&& other) noexcept : region_(other.region_) {
    pixman_region32_init(&other.region_);
  }
  RegionMask& operator=(RegionMask&& other) noexcept {
    if (this != &other) {
      pixman_region32_fini(&region_);
      region_ = other.region_;
      pixman_region32_init(&other.region_);
    }
    return *this;
  }
  ~RegionMask() { pixman_region32_fini(&region_); }

  pixman_region32_t* get() { return &region_; }
  const pixman_region32_t* get() const { return &region_; }
  // A deep copy.
  RegionMask Copy() const {
    RegionMask copy;
    pixman_region32_copy(&copy.region_, const_cast<pixman_region32_t*>(&region_));
    return copy;
  }

 private:
  pixman_region32_t region_;
};

}  // namespace Gdiplus
