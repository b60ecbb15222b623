#pragma once

#include "random_source.h"

namespace quillop {

class SystemClock final : public Clock {
public:
    float ClockSeconds() override;
};

}  // namespace quillop
