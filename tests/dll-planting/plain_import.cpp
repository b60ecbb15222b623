// The control: bcrypt.dll imported the plain way, which a DLL planted beside
// the exe can take the place of.
#include <windows.h>
// bcrypt.h needs the types of windows.h
#include <bcrypt.h>

int main() {
    unsigned char bytes[16];
    const NTSTATUS status =
        BCryptGenRandom(nullptr, bytes, sizeof bytes, BCRYPT_USE_SYSTEM_PREFERRED_RNG);
    return status == 0 ? 0 : 1;
}
