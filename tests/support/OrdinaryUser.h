#pragma once

#include <pwd.h>
#include <unistd.h>

// Makes the process an ordinary user ("nobody") for as long as it lives, through the effective
// user and group ids only, so root can take them back. Root ignores file modes: a test of
// what a user without rights sees has to drop them for real. A test run by an ordinary user
// already is one and changes nothing.
class OrdinaryUser {
public:
    OrdinaryUser() {
        if (::geteuid() != 0)
            return;
        const passwd* nobody = ::getpwnam("nobody");
        const uid_t uid = nobody ? nobody->pw_uid : 65534;
        const gid_t gid = nobody ? nobody->pw_gid : 65534;
        m_dropped = ::setegid(gid) == 0 && ::seteuid(uid) == 0;
    }
    ~OrdinaryUser() {
        if (m_dropped) {
            (void)::seteuid(0);
            (void)::setegid(0);
        }
    }
    OrdinaryUser(const OrdinaryUser&) = delete;
    OrdinaryUser& operator=(const OrdinaryUser&) = delete;

    // False when root could not give up its rights (the test cannot show anything then).
    bool active() const { return m_dropped || ::geteuid() != 0; }

private:
    bool m_dropped = false;
};
