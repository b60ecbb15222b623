#include "end_process.h"

#include <cstdlib>

namespace quillop::ui {

void endProcessNow() { std::_Exit(EXIT_SUCCESS); }

}  // namespace quillop::ui
