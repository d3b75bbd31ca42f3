#pragma once

#include "common/host.h"

namespace tarsek {

/// The hourglass for the span of one handler, taken down however the handler ends.
class BusyPointer {
 public:
  explicit BusyPointer(Host& host) : host_(host) { host_.setBusy(true); }
  ~BusyPointer() { host_.setBusy(false); }
  BusyPointer(const BusyPointer&) = delete;
  BusyPointer& operator=(const BusyPointer&) = delete;

 private:
  Host& host_;
};

}  // namespace tarsek
