#pragma once

namespace Methods {

class Registry;

// One registration function per area file; registerAll calls every one of them.
void registerSessionMethods(Registry &registry);

} // namespace Methods
