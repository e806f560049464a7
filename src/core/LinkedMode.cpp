// The linked-mode flag.
#include "core/LinkedMode.h"

namespace {
bool g_linked = false;
}

void SetLinkedMode(bool linked) { g_linked = linked; }
bool IsLinkedMode() { return g_linked; }
