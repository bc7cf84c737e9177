// <windows.h> without the A/W macros whose names the portable interfaces
// use as method names (IWindowSystem::PeekMessage, PostMessage,
// DefWindowProc); include this instead of <windows.h> in port files.
#pragma once
#include <windows.h>

#undef PeekMessage
#undef PostMessage
#undef DefWindowProc
