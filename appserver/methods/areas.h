#pragma once

namespace Methods {

class Registry;

// One registration function per area file; registerAll calls every one of them.
void registerSessionMethods(Registry &registry);
void registerAccountMethods(Registry &registry);
void registerSalesRepMethods(Registry &registry);
void registerNoticeMethods(Registry &registry);
void registerCatalogueMethods(Registry &registry);
void registerBasketMethods(Registry &registry);
void registerOrderingMethods(Registry &registry);

} // namespace Methods
