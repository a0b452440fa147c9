#include "platform/resources.h"

#include <QtGlobal>

// Q_INIT_RESOURCE must stand outside any namespace; calling it keeps the linker from dropping
// the resources of this static library.
static void initKalvenResources()
{
    Q_INIT_RESOURCE(kalven);
}

namespace kalven {

void InitResources()
{
    static const bool done = (initKalvenResources(), true);
    (void)done;
}

}  // namespace kalven
