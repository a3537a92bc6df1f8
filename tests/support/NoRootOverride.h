#pragma once

// Tests run as root on the build machines, and root writes into a read-only
// folder all the same. While an object of this class lives, the calling
// thread gives up the capabilities that let it pass over file permissions,
// so a read-only share refuses it as it refuses a pupil's account. Without
// root there is nothing to give up.

#ifdef __linux__
#include <linux/capability.h>
#include <sys/syscall.h>
#include <unistd.h>
#endif

class NoRootOverride
{
public:
    NoRootOverride()
    {
#ifdef __linux__
        if (capget(m_avant) != 0)
            return;
        __user_cap_data_struct apres[2] = {m_avant[0], m_avant[1]};
        for (const int cap : {CAP_DAC_OVERRIDE, CAP_DAC_READ_SEARCH, CAP_FOWNER})
            apres[cap / 32].effective &= ~(1u << (cap % 32));
        m_actif = capset(apres) == 0;
#endif
    }
    ~NoRootOverride()
    {
#ifdef __linux__
        if (m_actif)
            capset(m_avant);
#endif
    }
    NoRootOverride(const NoRootOverride &) = delete;
    NoRootOverride &operator=(const NoRootOverride &) = delete;

private:
#ifdef __linux__
    static int capget(__user_cap_data_struct *donnees)
    {
        __user_cap_header_struct entete{_LINUX_CAPABILITY_VERSION_3, 0};
        return int(syscall(SYS_capget, &entete, donnees));
    }
    static int capset(__user_cap_data_struct *donnees)
    {
        __user_cap_header_struct entete{_LINUX_CAPABILITY_VERSION_3, 0};
        return int(syscall(SYS_capset, &entete, donnees));
    }
    __user_cap_data_struct m_avant[2] = {};
#endif
    bool m_actif = false;
};
