#pragma once

namespace quillop::ui {

// Ends the process at once: no pending event, tick or clean-up runs after it.
[[noreturn]] void endProcessNow();

}  // namespace quillop::ui
