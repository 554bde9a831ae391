#include "services.h"

#include "linuxservices.h"

#include <atomic>

namespace Platform {

namespace {

std::atomic<Services *> g_installed{nullptr};

Services &linuxServices()
{
    static LinuxServices instance;
    return instance;
}

} // namespace

Services &services()
{
    if (Services *s = g_installed.load(std::memory_order_acquire))
        return *s;
    return linuxServices();
}

void install(Services *services)
{
    g_installed.store(services, std::memory_order_release);
}

ScopedServices::ScopedServices(Services &services)
    : m_previous(g_installed.exchange(&services, std::memory_order_acq_rel))
{}

ScopedServices::~ScopedServices()
{
    g_installed.store(m_previous, std::memory_order_release);
}

} // namespace Platform
