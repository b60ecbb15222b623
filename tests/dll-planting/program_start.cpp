// quillop.exe's start and first draw, without its window: the DLL search
// the program sets first, then random bytes as Generate takes them.
#include "os_random_bytes.h"
#include "system_dlls.h"

int main() {
    quillop::ui::loadDllsFromSystemFolderOnly();
    unsigned char bytes[16];
    quillop::osRandomBytes(bytes, sizeof bytes);
    return 0;
}
