#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace quillop::files {

// Security attributes whose DACL grants full access to the user of this
// process (the user SID from its token) and to nobody else, inheriting
// nothing from the folder. Not the OWNER RIGHTS SID: with it a changed owner
// can lock the user out of the file. The attributes point into the object
// itself, so it stays where it was made.
class OwnerOnlySecurity {
public:
    OwnerOnlySecurity();
    OwnerOnlySecurity(const OwnerOnlySecurity&) = delete;
    OwnerOnlySecurity& operator=(const OwnerOnlySecurity&) = delete;
    // False when the token could not be read; GetLastError() says why.
    bool valid() const { return valid_; }
    SECURITY_ATTRIBUTES* attributes() { return &attributes_; }

private:
    bool valid_ = false;
    std::vector<unsigned char> user_;  // TOKEN_USER and the SID after it
    std::vector<unsigned char> acl_;
    SECURITY_DESCRIPTOR descriptor_{};
    SECURITY_ATTRIBUTES attributes_{};
};

// The SID of this process's user, as bytes; empty when unreadable.
std::vector<unsigned char> currentUserSid();

// Whether the file's DACL lets nobody in but this process's user (and the
// system itself, which wine adds to every file).
bool onlyThisUserMayOpen(const std::wstring& path);

}  // namespace quillop::files
