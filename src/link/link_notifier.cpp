#include "link/link_notifier.h"

#include <cstdio>
#include <cstdlib>

namespace devlink {
namespace {
LinkNotifier* g_linkNotifier = nullptr;
}

LinkNotifier& linkNotifier() {
    if (!g_linkNotifier) {
        std::fputs("devlink::linkNotifier(): no link notifier installed\n", stderr);
        std::abort();
    }
    return *g_linkNotifier;
}

LinkNotifier* setLinkNotifier(LinkNotifier* notifier) {
    LinkNotifier* previous = g_linkNotifier;
    g_linkNotifier = notifier;
    return previous;
}

}  // namespace devlink
