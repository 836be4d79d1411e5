// The contract between an input-panel host and the panels it loads (reference-counted objects
// reached through a library's DllGetClassObject and a class factory) is the host's own: the
// panels name it com::.
#pragma once
#include "platform/ui/input_panel.h"

namespace com = ui;
