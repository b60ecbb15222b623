#include "owner_only_security.h"

#include <aclapi.h>

namespace quillop::files {

namespace {

std::vector<unsigned char> tokenUser() {
    HANDLE token = nullptr;
    if (!OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &token)) return {};
    DWORD size = 0;
    GetTokenInformation(token, TokenUser, nullptr, 0, &size);
    std::vector<unsigned char> user(size);
    const bool read = size > 0 && GetTokenInformation(token, TokenUser, user.data(), size, &size);
    const DWORD error = GetLastError();
    CloseHandle(token);
    SetLastError(error);
    if (!read) return {};
    return user;
}

PSID sidOf(std::vector<unsigned char>& user) {
    return reinterpret_cast<TOKEN_USER*>(user.data())->User.Sid;
}

}  // namespace

OwnerOnlySecurity::OwnerOnlySecurity() : user_(tokenUser()) {
    if (user_.empty()) return;
    const PSID sid = sidOf(user_);
    acl_.resize(sizeof(ACL) + sizeof(ACCESS_ALLOWED_ACE) + GetLengthSid(sid));
    auto* acl = reinterpret_cast<ACL*>(acl_.data());
    valid_ = InitializeAcl(acl, static_cast<DWORD>(acl_.size()), ACL_REVISION) &&
             AddAccessAllowedAce(acl, ACL_REVISION, FILE_ALL_ACCESS, sid) &&
             InitializeSecurityDescriptor(&descriptor_, SECURITY_DESCRIPTOR_REVISION) &&
             SetSecurityDescriptorDacl(&descriptor_, TRUE, acl, FALSE) &&
             // Protected: the folder's inheritable entries are not added.
             SetSecurityDescriptorControl(&descriptor_, SE_DACL_PROTECTED, SE_DACL_PROTECTED);
    attributes_ = {sizeof attributes_, &descriptor_, FALSE};
}

std::vector<unsigned char> currentUserSid() {
    std::vector<unsigned char> user = tokenUser();
    if (user.empty()) return {};
    const PSID sid = sidOf(user);
    const auto* bytes = static_cast<const unsigned char*>(sid);
    return {bytes, bytes + GetLengthSid(sid)};
}

bool onlyThisUserMayOpen(const std::wstring& path) {
    std::vector<unsigned char> user = currentUserSid();
    PACL dacl = nullptr;
    PSECURITY_DESCRIPTOR descriptor = nullptr;
    if (user.empty() ||
        GetNamedSecurityInfoW(path.c_str(), SE_FILE_OBJECT, DACL_SECURITY_INFORMATION, nullptr,
                              nullptr, &dacl, nullptr, &descriptor) != ERROR_SUCCESS)
        return false;
    bool only = dacl != nullptr;  // no DACL at all lets everyone in
    for (DWORD i = 0; only && i < dacl->AceCount; ++i) {
        ACCESS_ALLOWED_ACE* ace = nullptr;
        only = GetAce(dacl, i, reinterpret_cast<void**>(&ace)) &&
               (ace->Header.AceType == ACCESS_DENIED_ACE_TYPE ||
                (ace->Header.AceType == ACCESS_ALLOWED_ACE_TYPE &&
                 (EqualSid(&ace->SidStart, user.data()) ||
                  IsWellKnownSid(&ace->SidStart, WinLocalSystemSid))));
    }
    LocalFree(descriptor);
    return only;
}

}  // namespace quillop::files
