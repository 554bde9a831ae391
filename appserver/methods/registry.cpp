#include "registry.h"

#include "areas.h"

#include <QDebug>

namespace Methods {

void Registry::add(std::string_view operation, Handler handler, Keep keep)
{
    const auto [it, added] = m_methods.insert_or_assign(std::string(operation), Method{std::move(handler), keep});
    if (!added)
        qWarning("Methods::Registry: %.*s registered twice; the later handler is kept", int(operation.size()),
                 operation.data());
    Q_UNUSED(it);
}

const Method *Registry::find(std::string_view operation) const
{
    const auto it = m_methods.find(operation);
    return it == m_methods.end() ? nullptr : &it->second;
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
