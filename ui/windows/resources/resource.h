#pragma once

// Shared by the resource script and the code that loads the resources.
#define IDI_QUILLOP 1
