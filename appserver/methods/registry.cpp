#include "registry.h"

#include "areas.h"

#include <QDebug>

namespace Methods {

void Registry::add(std::string_view operation, Handler handler, Keep keep)
{
    const auto [it, added] = m_handlers.insert_or_assign(std::string(operation), Entry{std::move(handler), keep});
    if (!added)
        qWarning("Methods::Registry: %.*s registered twice; the later handler is kept", int(operation.size()),
                 operation.data());
    Q_UNUSED(it);
}

const Handler *Registry::find(std::string_view operation) const
{
    const auto it = m_handlers.find(operation);
    return it == m_handlers.end() ? nullptr : &it->second.handler;
}

Keep Registry::keep(std::string_view operation) const
{
    const auto it = m_handlers.find(operation);
    return it == m_handlers.end() ? Keep::No : it->second.keep;
}

void registerAll(Registry &registry)
{
    registerSessionMethods(registry);
    registerAccountMethods(registry);
    registerSalesRepMethods(registry);
    registerNoticeMethods(registry);
    registerCatalogueMethods(registry);
    registerBasketMethods(registry);
    registerOrderingMethods(registry);
}

} // namespace Methods
