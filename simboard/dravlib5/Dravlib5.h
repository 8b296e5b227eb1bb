// Export macro of the SDK runtime stand-in. Its exported names are the same as the
// applet's; the library is linked with -Bsymbolic so calls between its own functions never
// leave it, and a version script per variant decides what is exported.
#pragma once

#define DRAVLIB5_API extern "C" BRENVIK_LISTED
